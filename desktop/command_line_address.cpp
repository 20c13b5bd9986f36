#include "desktop/command_line_address.h"

#include <system_error>

#include "base/address_scheme.h"

namespace quorvane {

std::string CommandLineAddress(const std::string& argument,
                               const std::filesystem::path& startFolder) {
    if (argument.empty() || argument.front() == '/' || startFolder.empty() ||
        LeadingSchemeOf(argument).scheme != Scheme::None) {
        return argument;
    }
    const std::filesystem::path file = (startFolder / argument).lexically_normal();
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) ? file.string() : argument;
}

}  // namespace quorvane

#include "desktop/write_access.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "desktop/translation.h"

namespace quorvane {

namespace fs = std::filesystem;

std::string WhyNotWritable(const fs::path& file) {
    std::error_code error;
    fs::path existing = file;
    while (!existing.empty() && !fs::exists(existing, error)) {
        const fs::path parent = existing.parent_path();
        if (parent == existing) {
            break;
        }
        existing = parent;
    }
    if (existing.empty()) {
        return {};
    }
    if (existing != file && !fs::is_directory(existing, error)) {
        return Translated("{1} is not a folder", {existing.string()});
    }
    if (::access(existing.c_str(), W_OK) != 0) {
        return std::strerror(errno);
    }
    return {};
}

}  // namespace quorvane

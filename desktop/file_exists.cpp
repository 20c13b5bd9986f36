#include "desktop/file_exists.h"

#include <sys/stat.h>

namespace quorvane {

namespace {
constexpr char kSeparator = '/';
}

std::string ExtractFileName(const std::string& path) {
    const auto separator = path.rfind(kSeparator);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// A wildcard in the name asks for a pattern, not a file. Folder names may hold the
// same characters ("Apps [old]"), and there they are only characters: a program folder
// named so must still find its work files, or every start would append to them.
bool FileExists(const std::string& path) {
    const std::string name = ExtractFileName(path);
    if (name.empty() || name.front() == '.' || name.find_first_of("*?[") != std::string::npos) {
        return false;
    }
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace quorvane

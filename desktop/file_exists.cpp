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

bool FileExists(const std::string& path) {
    if (path.find_first_of("*?[") != std::string::npos) {
        return false;
    }
    const std::string name = ExtractFileName(path);
    if (name.empty() || name.front() == '.') {
        return false;
    }
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace quorvane

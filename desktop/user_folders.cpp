#include "desktop/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// The value after "=" of a user-dirs.dirs line: quoted, with backslash escapes, as the
// file is written for the shell; an unquoted value runs to the end of the line.
std::string UserDirsValue(std::string_view text) {
    if (text.empty() || text.front() != '"') {
        return std::string(text);
    }
    std::string value;
    for (std::size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
        }
        value += text[i];
    }
    return value;
}

std::optional<fs::path> UserDirsFolder(const std::string& value, const fs::path& home) {
    constexpr std::string_view kHome = "$HOME";
    if (value.starts_with(kHome) && (value.size() == kHome.size() || value[kHome.size()] == '/')) {
        const std::string below = value.substr(kHome.size());
        return below.size() <= 1 ? home : home / below.substr(1);
    }
    if (value.starts_with('/')) {
        return fs::path(value);
    }
    return std::nullopt;
}

fs::path XdgFolder(const char* variable, const fs::path& fallbackBelowHome) {
    const char* folder = std::getenv(variable);
    if (folder != nullptr && folder[0] == '/') {
        return folder;
    }
    return UserHomeFolder() / fallbackBelowHome;
}

}  // namespace

// Without HOME (a service, a cleared environment) the files would otherwise land in
// whatever folder the program was started from.
fs::path UserHomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? fs::path(user->pw_dir) : fs::path("/");
}

fs::path UserDataHome() {
    return XdgFolder("XDG_DATA_HOME", fs::path(".local") / "share");
}

fs::path UserConfigHome() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::optional<fs::path> UserDirsEntry(std::string_view fileText, std::string_view key,
                                      const fs::path& home) {
    std::optional<fs::path> folder;
    while (!fileText.empty()) {
        const std::size_t end = std::min(fileText.find('\n'), fileText.size());
        std::string_view line = fileText.substr(0, end);
        fileText.remove_prefix(std::min(end + 1, fileText.size()));
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (line.starts_with(key) && line.substr(key.size()).starts_with('=')) {
            if (auto named = UserDirsFolder(UserDirsValue(line.substr(key.size() + 1)), home)) {
                folder = std::move(named);
            }
        }
    }
    return folder;
}

fs::path UserDownloadFolder() {
    const char* variable = std::getenv("XDG_DOWNLOAD_DIR");
    if (variable != nullptr && variable[0] == '/') {
        return variable;
    }
    std::ifstream file(UserConfigHome() / "user-dirs.dirs");
    const std::string text(std::istreambuf_iterator<char>(file), {});
    const fs::path home = UserHomeFolder();
    return UserDirsEntry(text, "XDG_DOWNLOAD_DIR", home).value_or(home / "Downloads");
}

}  // namespace quorvane

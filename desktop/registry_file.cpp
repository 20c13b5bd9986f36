#include "desktop/registry_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <sstream>
#include <system_error>

#include "base/whole_file_write.h"
#include "desktop/registry_key_file.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// Reads a quoted, escaped text starting at line[pos] == '"'; pos ends after the
// closing quote. nullopt when the text is not closed.
std::optional<std::string> ReadQuoted(const std::string& line, std::size_t& pos) {
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            c = line[++pos];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        out += c;
    }
    return std::nullopt;
}

// '"name"="text"' or '@="text"'; nullopt for anything else.
std::optional<std::pair<std::string, std::string>> ParseValueLine(const std::string& line) {
    std::size_t pos = 0;
    std::string name;
    if (line.starts_with("@=")) {
        pos = 1;
    } else if (line.starts_with('"')) {
        auto quoted = ReadQuoted(line, pos);
        if (!quoted) {
            return std::nullopt;
        }
        name = *quoted;
    } else {
        return std::nullopt;
    }
    if (pos + 1 >= line.size() || line[pos] != '=' || line[pos + 1] != '"') {
        return std::nullopt;
    }
    ++pos;
    auto text = ReadQuoted(line, pos);
    if (!text || pos != line.size()) {
        return std::nullopt;
    }
    return std::make_pair(name, *text);
}

bool IsReadable(const struct stat& status) {
    return S_ISREG(status.st_mode) &&
           static_cast<std::uintmax_t>(status.st_size) <= kMaxRegistryFileSize;
}

// Reads the file up to one byte past the largest size, so that a file that has grown
// since it was looked at shows as too large. False on a read error.
bool ReadAtMost(int fd, std::string& text) {
    char buffer[65536];
    while (text.size() <= kMaxRegistryFileSize) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count == 0;
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
    return true;
}

// The form the store wrote its files in before they were key files.
RegistryContents ParseEarlierRegistryText(const std::string& text) {
    RegistryContents contents;
    RegistryKeys& keys = contents.keys;
    std::istringstream lines(text);
    std::string line;
    bool inKey = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            keys.push_back({line.substr(1, line.size() - 2), {}});
            inKey = true;
        } else if (auto value = ParseValueLine(line); value && inKey) {
            keys.back().values.push_back(std::move(*value));
        } else if (!line.empty()) {
            contents.damaged = true;
        }
    }
    return contents;
}

}  // namespace

RegistryContents ParseRegistryText(const std::string& text) {
    const std::string header = std::string("[") + kRegistryKeyFileHeader + "]";
    if (!text.starts_with(header)) {
        return ParseEarlierRegistryText(text);
    }
    std::optional<RegistryKeys> keys = ParseRegistryKeyFile(text);
    return keys ? RegistryContents{std::move(*keys), false} : RegistryContents{{}, true};
}

// Only an ordinary file of a size a registry can have is read: anything else in its
// place (a FIFO that would block, a device that never ends) reads as a damaged file.
std::optional<RegistryContents> ReadRegistryFile(const fs::path& file) {
    const RegistryContents damaged{{}, true};
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return errno == ENOENT ? std::optional<RegistryContents>(RegistryContents{}) : std::nullopt;
    }
    if (!IsReadable(status)) {
        return damaged;
    }
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string text;
    const bool read = ::fstat(fd, &status) == 0 && IsReadable(status) && ReadAtMost(fd, text);
    ::close(fd);
    if (!read || text.size() > kMaxRegistryFileSize) {
        return damaged;
    }
    return ParseRegistryText(text);
}

bool WriteRegistryFile(const fs::path& file, const RegistryKeys& keys) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    const std::string text = FormatRegistryKeyFile(keys);
    if (error) {
        return false;
    }
    // The settings outlive the run: they reach the disk before they take the old
    // file's place, so a crash leaves the old settings or the new, never none.
    try {
        WholeFileWrite write(file.string());
        write.Write(text);
        write.Sync();
        write.ReplaceTarget();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

}  // namespace quorvane

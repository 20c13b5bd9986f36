#include "analysis/text_file.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quorvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

[[noreturn]] void ThrowFileError(const std::string& path, const char* what) {
    const int error = errno != 0 ? errno : EIO;
    throw std::system_error(error, std::generic_category(), std::string(what) + " " + path);
}

void WriteWithMode(const std::string& path, std::string_view text, std::ios::openmode mode) {
    errno = 0;
    std::ofstream file(path, std::ios::binary | mode);
    if (!file) {
        ThrowFileError(path, "cannot open");
    }
    std::string whole;
    whole.reserve(text.size() + kCrLf.size());
    whole.append(text).append(kCrLf);
    file.write(whole.data(), static_cast<std::streamsize>(whole.size()));
    file.close();
    if (!file) {
        ThrowFileError(path, "cannot write");
    }
}

}  // namespace

void WriteTextFile(const std::string& path, std::string_view text) {
    WriteWithMode(path, text, std::ios::out | std::ios::trunc);
}

void AppendTextFile(const std::string& path, std::string_view text) {
    WriteWithMode(path, text, std::ios::out | std::ios::app);
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ThrowFileError(path, "cannot open");
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        ThrowFileError(path, "cannot read");
    }
    return SplitLines(text);
}

}  // namespace quorvane

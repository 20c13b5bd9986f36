#include "analysis/text_file.h"

#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/whole_file_write.h"

namespace quorvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

[[noreturn]] void ThrowFileError(const std::string& path, const char* what, int error) {
    throw std::system_error(error != 0 ? error : EIO, std::generic_category(),
                            std::string(what) + " " + path);
}

}  // namespace

// A work file is the page a view shows, or what the next step reads: it must hold the
// whole text or, when the disk is full or the folder cannot be written, what it held
// before, never a part. So the text goes to a file of its own first and takes the work
// file's place only once all of it is written. A work file that cannot be written as
// it stands (read-only) is refused as an open for writing would refuse it.
void WriteTextFile(const std::string& path, const TextProducer& produce) {
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        ThrowFileError(path, "cannot write", errno);
    }
    WholeFileWrite file(path);
    produce([&](std::string_view piece) { file.Write(piece); });
    file.Write(kCrLf);
    file.ReplaceTarget();
}

void WriteTextFile(const std::string& path, std::string_view text) {
    WriteTextFile(path, WholeText(text));
}

LineEnd EndOfLine(std::string_view text, std::size_t lineStart) {
    const std::size_t cr = text.find('\r', lineStart);
    if (cr == std::string_view::npos) {
        return {text.size(), text.size()};
    }
    const bool crLf = cr + 1 < text.size() && text[cr + 1] == '\n';
    return {cr, cr + (crLf ? 2 : 1)};
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string ReadTextFile(const std::string& path) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ThrowFileError(path, "cannot open", errno);
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        ThrowFileError(path, "cannot read", errno);
    }
    return text;
}

}  // namespace quorvane

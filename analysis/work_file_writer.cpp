#include "analysis/work_file_writer.h"

#include <system_error>

#include "analysis/text_file.h"
#include "analysis/work_files.h"

namespace quorvane {

std::string WorkFileWriter::Path(std::string_view name) const {
    return WorkFilePath(folder_, name);
}

void WorkFileWriter::Write(std::string_view name, std::string_view text) {
    WriteFile(Path(name), WholeText(text));
}

void WorkFileWriter::Write(std::string_view name, const TextProducer& produce) {
    WriteFile(Path(name), produce);
}

// The steps after a write read the file as it then is, which the writer knows without
// reading it back (or copying it) unless the write failed.
std::optional<std::string> WorkFileWriter::WriteForReaders(
    std::string_view name, std::string_view text, std::optional<std::system_error>* writeError) {
    const std::string path = Path(name);
    try {
        WriteFile(path, WholeText(text));
    } catch (const std::system_error& error) {
        if (writeError != nullptr) {
            writeError->emplace(error);
        }
        return ReadFile(path);
    }
    return std::nullopt;
}

void WorkFileWriter::WriteFile(const std::string& path, const TextProducer& produce) {
    WriteTextFile(path, produce);
}

std::string WorkFileWriter::ReadFile(const std::string& path) {
    return ReadTextFile(path);
}

}  // namespace quorvane

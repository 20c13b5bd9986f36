#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "analysis/text_pieces.h"

namespace quorvane {

// The one place where a page analysis reaches its work files: every other step of it
// works on texts in memory. Each write is an output write (the text and CR LF, whole);
// a file that cannot be written keeps its earlier content.
class WorkFileWriter {
  public:
    explicit WorkFileWriter(std::string folder) : folder_(std::move(folder)) {}
    virtual ~WorkFileWriter() = default;
    WorkFileWriter(const WorkFileWriter&) = delete;
    WorkFileWriter& operator=(const WorkFileWriter&) = delete;

    // The work file's path: the folder followed directly by name ("/source.htm").
    std::string Path(std::string_view name) const;

    // Writes text to the work file name. Throws std::system_error naming the file and
    // the error when it cannot be written.
    void Write(std::string_view name, std::string_view text);
    // The same write of the text that produce hands out in pieces, for a text too large
    // to hold whole.
    void Write(std::string_view name, const TextProducer& produce);

    // Writes text to a work file that later steps read. Returns nothing when it was
    // written: the file then holds text and CR LF, and the readers take text from the
    // caller. When it cannot be written, returns its earlier content, read then, with
    // the write's error in writeError when given. Throws std::system_error when it can
    // be neither written nor read.
    std::optional<std::string> WriteForReaders(
        std::string_view name, std::string_view text,
        std::optional<std::system_error>* writeError = nullptr);

  protected:
    // The whole-file write of the text produce hands out, and the read, of one path;
    // tests put failing ones in their place.
    virtual void WriteFile(const std::string& path, const TextProducer& produce);
    virtual std::string ReadFile(const std::string& path);

  private:
    std::string folder_;
};

}  // namespace quorvane

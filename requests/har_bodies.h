#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "requests/request_log.h"

namespace quorvane {

// What a HAR entry's response.content says of its body when text bodies are asked for:
// the text, or a comment on why there is none.
struct HarBody {
    std::optional<std::string> text{};
    std::string comment{};
};

// The text bodies of the page's files for a HAR file, as the engine still holds them, read
// in the order of the rows until kMaxBytes in all: past it the rest are left out, each with
// a comment that says why, so the export stays of a size a tool opens.
class HarBodies {
  public:
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    explicit HarBodies(std::size_t maxBytes = kMaxBytes) : maxBytes_(maxBytes) {}

    // A text file of the page to read, by its address, and the type its response named.
    struct ToRead {
        std::string address;
        std::string mimeType;
    };
    // The log's text files that ended, each address once, in the order of rows.
    static std::vector<ToRead> FilesToRead(const RequestLog& log);

    // The text read of the file at address, decoded; nullopt when the engine held none.
    void Add(const std::string& address, std::optional<std::string> text);
    // Once full, the files not yet read are left out: they need not be read.
    bool Full() const { return full_; }
    void LeaveOut(const std::string& address);

    // What the entry of row writes; nullptr for a row of no text body to tell of.
    const HarBody* Of(const RequestRow& row) const;

  private:
    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    bool full_ = false;
    std::unordered_map<std::string, HarBody> bodies_;
};

}  // namespace quorvane

#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// The whole document of the Browser view's main frame as it stands now, after its scripts:
// its doctype and its root element with head and body, serialised by the engine.
struct LiveDocument {
    std::string address;
    std::string text;  // UTF-8, at most kMaxServedSourceBytes and a line saying so when cut
    bool cut = false;
};

// Reads the live document from the engine, in a script world of the program's own, so
// that the page's scripts can neither change what is read nor see it. The real engine's
// twin is EngineLiveDocument; the logic tests use a fake.
class LiveDocumentReader {
  public:
    // nullopt when there is no document to read (none loaded, or the engine failed).
    using Done = std::function<void(std::optional<LiveDocument> document)>;

    virtual ~LiveDocumentReader() = default;
    // done runs exactly once, once the engine answers, never after the reader has gone.
    virtual void ReadLiveDocument(Done done) = 0;
};

}  // namespace quorvane

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// A whole document of the Browser view's page as it stands now, after its scripts: its
// doctype and its root element with head and body, serialised by the engine.
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
    // nullopt when there is no document to read (none loaded, a frame gone or of another
    // site, or the engine failed).
    using Done = std::function<void(std::optional<LiveDocument> document)>;
    // The addresses of the documents the page's frames show, in the order of their
    // elements at any depth; a frame whose document the program's world may not reach is
    // named by the address its element asks for.
    using FramesDone = std::function<void(std::vector<std::string> frameAddresses)>;

    virtual ~LiveDocumentReader() = default;
    // The main frame's document for a frameAddress of "", else the first frame's whose
    // document is at frameAddress. done runs exactly once, once the engine answers, never
    // after the reader has gone.
    virtual void ReadLiveDocument(const std::string& frameAddress, Done done) = 0;
    // done runs as ReadLiveDocument's does.
    virtual void ListFrames(FramesDone done) = 0;
};

}  // namespace quorvane

#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "engine/served_resource.h"

namespace quorvane {

// The files the shown page loaded, as the engine keeps them in its memory: what the page
// showed, read without asking the server again (a server may answer a second request
// otherwise, or be slow to).
class ResourceCopies {
  public:
    // nullopt when there is no whole copy of the file.
    using CopyDone = std::function<void(std::optional<ServedResource> copy)>;
    // true once the file has loaded: its copy may be read now.
    using LoadEnded = std::function<void(bool loaded)>;

    virtual ~ResourceCopies() = default;

    // Reads the engine's copy of the file at address, which a frame of the shown page
    // loaded. done runs once, at once or once the engine answers, with nullopt for a file
    // the page did not load, one still loading or failed, or one the engine no longer
    // keeps; never after the element has been destroyed.
    virtual void ReadCopy(const std::string& address, CopyDone done) = 0;
    // Waits up to wait for the file at address, which a frame of the shown page is still
    // loading, to finish: ended runs once, with true when it has loaded, false when it
    // failed, the wait ran out, or it is not loading (the page did not ask for it, or its
    // load ended before). Never after the page was replaced or the element destroyed.
    virtual void AwaitLoad(const std::string& address, std::chrono::milliseconds wait,
                           LoadEnded ended) = 0;
};

}  // namespace quorvane

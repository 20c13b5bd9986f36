#pragma once

#include <functional>
#include <optional>
#include <string>

#include "inspection/served_resource.h"

namespace quorvane {

// The files the shown page loaded, as the engine keeps them in its memory: what the page
// showed, read without asking the server again (a server may answer a second request
// otherwise, or be slow to).
class ResourceCopies {
  public:
    // nullopt when there is no whole copy of the file.
    using CopyDone = std::function<void(std::optional<ServedResource> copy)>;

    virtual ~ResourceCopies() = default;

    // Reads the engine's copy of the file at address, which a frame of the shown page
    // loaded. done runs once, at once or once the engine answers, with nullopt for a file
    // the page did not load, one still loading or failed, or one the engine no longer
    // keeps; never after the element has been destroyed.
    virtual void ReadCopy(const std::string& address, CopyDone done) = 0;
};

}  // namespace quorvane

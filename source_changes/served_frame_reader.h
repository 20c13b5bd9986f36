#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// Reads the text a frame of the Browser view's page was served as, from the engine's copy
// of the frame's document: the frame is never fetched again.
class ServedFrameReader {
  public:
    // nullopt when the engine holds no whole copy of the frame's document.
    using Done = std::function<void(std::optional<std::string> text)>;

    virtual ~ServedFrameReader() = default;
    // done runs exactly once, at once or once the engine answers, never after the reader
    // has gone.
    virtual void ReadServedFrame(const std::string& address, Done done) = 0;
};

}  // namespace quorvane

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quorvane {

// The engine writes a download into the destination's name with this added.
inline constexpr const char* kEngineSuffix = ".wkdownload";

// Where a download is written, or why no file can hold it.
struct DownloadDestination {
    std::string filePath;  // "" when none can be written
    std::string failure;   // why, then
};

// One download that the engine makes for the views, as the program keeps it: it chooses
// the file, says how the download is getting on, and keeps the file or drops it at the
// end. The engine tells it in this order, and may stop at any step: DestinationFor, then
// (with a file chosen) Started and Received any number of times, then one of Finished,
// Failed and Cancelled. A target that goes before its end drops its file and says nothing.
class DownloadTarget {
  public:
    virtual ~DownloadTarget() = default;

    // The file for a download the server suggests calling suggestedName (perhaps "", or a
    // name no file may have).
    virtual DownloadDestination DestinationFor(std::string_view suggestedName) = 0;
    virtual void Started() = 0;
    // received bytes of announced (0: not known), estimate the engine's share done (0 to 1).
    virtual void Received(std::uint64_t received, std::uint64_t announced, double estimate) = 0;
    // The file is whole.
    virtual void Finished() = 0;
    virtual void Failed(const std::string& why) = 0;
    virtual void Cancelled() = 0;
};

// Makes the target of each download the engine starts.
using MakeDownloadTarget = std::function<std::unique_ptr<DownloadTarget>()>;

}  // namespace quorvane

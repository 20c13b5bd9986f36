#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// Fetches files as a view of the page would, with its cookies and session. The Browser
// view's element is the one the program uses.
class FileFetcher {
  public:
    // How many files each of the program's tasks (the Image List's facts, a save) fetches at
    // a time. The page's own loads share the engine's few connections to each server, and
    // many requests at once from one visitor look like an attack to some servers: four
    // keep a fast server busy and leave the page room.
    static constexpr std::size_t kFetchesAtOnce = 4;

    // nullopt when the file was fetched whole, else what went wrong.
    using FetchDone = std::function<void(std::optional<std::string> error)>;
    // Names one fetch, so that its task can cancel it and leave the others' alone.
    using FetchId = std::uint64_t;

    virtual ~FileFetcher() = default;

    // Fetches address into the existing file filePath (its contents are replaced). done
    // runs once, unless CancelFetch comes first.
    virtual FetchId Fetch(const std::string& address, const std::string& filePath,
                          FetchDone done) = 0;
    // Ends the fetch if it is still running; its done never runs. Other fetches go on.
    virtual void CancelFetch(FetchId fetch) = 0;
};

}  // namespace quorvane

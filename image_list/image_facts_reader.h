#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/ordered_worker.h"
#include "engine/file_fetcher.h"
#include "engine/resource_copies.h"
#include "image_list/image_list.h"

namespace quorvane {

// Reads the bytes, type and digest of each image of the Image List once: a data: image
// from its data, one the page loaded from the engine's copy (the bytes the page showed,
// kCopiesAtOnce at a time; one still loading once loaded, up to kLoadWait), any other
// fetched as the Browser view fetches it (its cookies apply), FileFetcher::kFetchesAtOnce
// at a time, into a folder of its own that goes with it. The type is the one the bytes
// say; bytes of no type known here are told as NotPicture, a fetch that fails or a data:
// address that does not decode as Missing. The files are kept for the list's thumbnails, the latest
// up to kMaxKeptBytes in all; they are written and removed on a thread of their own, up to
// kMaxWritingBytes waiting.
class ImageFactsReader {
  public:
    static constexpr std::size_t kCopiesAtOnce = 8;
    static constexpr std::uintmax_t kMaxKeptBytes = 256 * 1024 * 1024;
    // Bytes read and not yet written: more reads wait until the writes catch up.
    static constexpr std::uintmax_t kMaxWritingBytes = 64 * 1024 * 1024;
    // How long a file the page is still loading is waited for before it is fetched: as
    // long as the gatherer waits for an image to measure it.
    static constexpr std::chrono::milliseconds kLoadWait{5000};
    using Found = std::function<void(const std::string& address, ImageFacts facts)>;
    // Runs a step once the window has handled the events waiting now.
    using CallSoon = std::function<void(std::function<void()> step)>;

    // Whether an address other than data: may be fetched.
    using MayFetch = std::function<bool(const std::string& address)>;

    // toWindowThread: how the writes' answers reach the window's thread; without it the
    // files are written at once (the window's logic tested without a display).
    ImageFactsReader(ResourceCopies& copies, FileFetcher& fetcher, CallSoon callSoon,
                     MayFetch mayFetch, Found found,
                     OrderedWorker::ToWindowThread toWindowThread = {});
    ~ImageFactsReader();
    ImageFactsReader(const ImageFactsReader&) = delete;
    ImageFactsReader& operator=(const ImageFactsReader&) = delete;

    // A new page: what is asked for or on its way for the page before is forgotten.
    void Clear();
    // Reads the facts of the rows not read or asked for yet; a cut address, or one that may
    // not be fetched, has none.
    void Want(const std::vector<ImageRow>& rows);
    // The same of the rows at places alone: a report of a page of thousands of images
    // brings a few of them, which are all the reader need look at.
    void Want(const std::vector<ImageRow>& rows, const std::vector<std::size_t>& places);
    // Whether the page's own document is still gathered. Its gatherer measures images by
    // loading them in the engine that would answer the copies' reads, and each read slows
    // the measuring: the reads wait until the gathering ends.
    void SetGathering(bool gathering);
    // The file of address's bytes while it is kept; "" when none is.
    std::string KeptFile(const std::string& address) const;

  private:
    void WantRow(const ImageRow& row);
    void StartMore();
    // StartMore once the window has had its turn; one step however often asked.
    void StartSoon();
    void StartCopies();
    void StartFetches();
    void OnCopied(unsigned page, const std::string& address, std::optional<ServedResource> copy);
    void OnFetched(unsigned page, unsigned number, bool whole);
    // The facts of fetch number, read beside the window; none when its file cannot be read.
    void Read(unsigned page, const std::string& address, unsigned number,
              const std::optional<ImageFacts>& facts);
    // Reads the copy again once the engine has loaded it, else fetches it.
    void AwaitLoad(const std::string& address);
    void ReadData(const std::string& address);
    // Keeps bytes as address's file and tells its facts; type when the bytes say none.
    void FoundBytes(const std::string& address, const std::string& bytes, const std::string& type);
    // Makes the reader's folder when it has none; false when it cannot.
    bool MakeFolder();
    // Ends the fetches on their way, whose files go.
    void CancelFetches();
    std::filesystem::path FileOf(unsigned number) const;
    void Keep(const std::string& address, unsigned number, std::uintmax_t bytes);
    void ForgetKept();
    void Written(unsigned page, const std::string& address, unsigned number, ImageFacts facts,
                 bool whole);
    void ReadDataSoon();
    void ReadDataSlice(unsigned page);
    bool WritesBehind() const { return writingBytes_ >= kMaxWritingBytes; }

    ResourceCopies& copies_;
    FileFetcher& fetcher_;
    CallSoon callSoon_;
    MayFetch mayFetch_;
    Found found_;
    std::deque<std::string> dataWaiting_;
    bool dataSliceComing_ = false;
    std::filesystem::path folder_;  // made at the first fetch
    std::unordered_set<std::string> asked_;
    std::deque<std::string> waiting_;  // for a copy, then a fetch
    std::unordered_set<std::string> copying_;
    std::unordered_set<std::string> awaited_;  // once a page each
    std::deque<std::string> fetchWaiting_;
    struct Fetching {
        FileFetcher::FetchId id;
        std::string address;
    };
    std::map<unsigned, Fetching> fetching_;  // by fetch number
    std::map<std::string, unsigned> kept_;      // the fetch number of each kept address
    std::deque<std::pair<std::string, std::uintmax_t>> keptOrder_;
    std::uintmax_t keptBytes_ = 0;
    std::uintmax_t writingBytes_ = 0;  // of this page's files read and not yet written
    unsigned page_ = 0;
    unsigned fetches_ = 0;
    bool starting_ = false;
    bool startComing_ = false;
    bool gathering_ = false;
    // Copies answer through the element, which may outlive the reader.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    OrderedWorker files_;  // writes and removes the kept files, in order
};

}  // namespace quorvane

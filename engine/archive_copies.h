#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/ordered_worker.h"
#include "desktop/translation.h"
#include "engine/file_fetcher.h"
#include "engine/mime_archive.h"
#include "engine/resource_copies.h"

namespace quorvane {

// The files of the page saved whole (an MHTML archive) that the Browser view shows, read
// from the archive. Such a page is shown with the network untouched: a file of it is
// "fetched" from the archive, and one the archive does not hold is never fetched at all, as
// the engine never loads one. The engine keeps its own copy of each file it loaded from the
// archive; the archive answers for those it has none of. It is read on a worker's thread;
// what is asked meanwhile waits for it.
class ArchiveCopies {
  public:
    // What the Browser view shows, as far as its archive goes.
    enum class Stage {
        NoArchive,  // a page of the web, or a file that is no archive
        Reading,    // an archive, whose bytes are read and parsed
        Read,       // an archive, whose files answer
    };
    // Why a file of the page saved whole was not fetched.
    static constexpr const char* kNotInArchive = Translatable("the saved page holds no copy of it");

    // toWindowThread: how the worker's answers reach the window's thread; without it the
    // archive is read at once (the logic tested without a display).
    explicit ArchiveCopies(OrderedWorker::ToWindowThread toWindowThread);

    Stage CurrentStage() const { return stage_; }
    // Numbers the pages shown, from PageStarted to the next.
    unsigned Page() const { return page_; }
    // Whether the archive answers for the shown page's files rather than the engine.
    bool ShowsArchive() const { return stage_ != Stage::NoArchive; }

    // A page begins to replace the one shown: what waits for its archive ends unanswered.
    void PageStarted();
    // The shown page is an archive: its files wait until ArchiveLoaded.
    void ArchiveCommitted();
    // The archive's bytes, once the engine has loaded them (nullopt: it holds none).
    void ArchiveLoaded(std::optional<std::string> bytes);

    // As ResourceCopies' and FileFetcher's, for the archive's files; the caller names each
    // fetch.
    void Read(const std::string& address, ResourceCopies::CopyDone done);
    void AwaitLoad(const std::string& address, ResourceCopies::LoadEnded ended);
    void Fetch(FileFetcher::FetchId id, const std::string& address, const std::string& filePath,
               FileFetcher::FetchDone done);
    void CancelFetch(FileFetcher::FetchId id);

  private:
    struct Parts {
        MimeArchive archive;
        std::unordered_map<std::string, std::size_t> byAddress;
    };
    struct Fetching {
        FileFetcher::FetchId id;
        std::string address;
        std::string filePath;
        FileFetcher::FetchDone done;
    };

    static std::shared_ptr<const Parts> Parse(const std::string& bytes);
    void Parsed(unsigned page, std::shared_ptr<const Parts> parts);
    const ArchivePart* Find(const std::string& address) const;
    void AnswerRead(const std::string& address, const ResourceCopies::CopyDone& done) const;
    void WriteFetched(Fetching fetch);

    Stage stage_ = Stage::NoArchive;
    unsigned page_ = 0;     // numbers the pages, so that a parse of one before is dropped
    std::shared_ptr<const Parts> parts_;
    std::vector<std::pair<std::string, ResourceCopies::CopyDone>> reads_;
    std::vector<std::pair<std::string, ResourceCopies::LoadEnded>> waits_;
    std::vector<Fetching> fetching_;     // waiting for the archive
    std::set<FileFetcher::FetchId> writing_;  // on the worker; a cancelled one is dropped
    OrderedWorker worker_;  // last, so that it stops before the rest goes
};

}  // namespace quorvane

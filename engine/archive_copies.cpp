#include "engine/archive_copies.h"

#include <system_error>

#include "base/file_bytes_write.h"
#include "desktop/translation.h"
#include "engine/archive_document.h"

namespace quorvane {

ArchiveCopies::ArchiveCopies(OrderedWorker::ToWindowThread toWindowThread)
    : worker_(std::move(toWindowThread)) {}

// What waited for the archive of the page before has no page to answer for: the reads
// and waits end unanswered, as the engine's own end with their page; a fetch, which a save
// waits for, ends with the reason.
void ArchiveCopies::PageStarted() {
    ++page_;
    stage_ = Stage::NoArchive;
    parts_.reset();
    reads_.clear();
    waits_.clear();
    std::vector<Fetching> fetching = std::move(fetching_);
    fetching_.clear();
    for (Fetching& fetch : fetching) {
        fetch.done(Translated(kNotInArchive));
    }
}

void ArchiveCopies::ArchiveCommitted() {
    stage_ = Stage::Reading;
}

void ArchiveCopies::ArchiveLoaded(std::optional<std::string> bytes) {
    if (stage_ != Stage::Reading) {
        return;
    }
    if (!bytes) {
        Parsed(page_, std::make_shared<const Parts>());
        return;
    }
    worker_.Post([this, page = page_, bytes = std::move(*bytes)]() -> std::function<void()> {
        std::shared_ptr<const Parts> parts = Parse(bytes);
        return [this, page, parts = std::move(parts)]() mutable { Parsed(page, std::move(parts)); };
    });
}

std::shared_ptr<const ArchiveCopies::Parts> ArchiveCopies::Parse(const std::string& bytes) {
    auto parts = std::make_shared<Parts>();
    if (std::optional<MimeArchive> archive = ReadMimeArchive(bytes)) {
        parts->archive = std::move(*archive);
    }
    // The first part of an address is the one the engine shows, as its loader takes it.
    for (std::size_t i = 0; i < parts->archive.parts.size(); ++i) {
        const ArchivePart& part = parts->archive.parts[i];
        if (!part.location.empty()) {
            parts->byAddress.try_emplace(part.location, i);
        }
        if (!part.contentId.empty()) {
            parts->byAddress.try_emplace("cid:" + part.contentId, i);
        }
    }
    return parts;
}

// The answers may ask for more: what waited is taken first.
void ArchiveCopies::Parsed(unsigned page, std::shared_ptr<const Parts> parts) {
    if (page != page_ || stage_ != Stage::Reading) {
        return;
    }
    parts_ = std::move(parts);
    stage_ = Stage::Read;
    auto reads = std::move(reads_);
    auto waits = std::move(waits_);
    auto fetching = std::move(fetching_);
    reads_.clear();
    waits_.clear();
    fetching_.clear();
    for (const auto& [address, done] : reads) {
        AnswerRead(address, done);
    }
    for (const auto& [address, ended] : waits) {
        ended(Find(address) != nullptr);
    }
    for (Fetching& fetch : fetching) {
        WriteFetched(std::move(fetch));
    }
}

// An address names the file without its fragment, as a load asks the server for it.
const ArchivePart* ArchiveCopies::Find(const std::string& address) const {
    if (!parts_) {
        return nullptr;
    }
    const std::string file = address.substr(0, address.find('#'));
    const auto found = parts_->byAddress.find(file);
    return found == parts_->byAddress.end() ? nullptr : &parts_->archive.parts[found->second];
}

void ArchiveCopies::AnswerRead(const std::string& address,
                               const ResourceCopies::CopyDone& done) const {
    const ArchivePart* part = Find(address);
    if (part == nullptr) {
        done(std::nullopt);
        return;
    }
    ServedResource copy = ArchivePartAsServed(*part, address);
    copy.address = address;  // as the engine's copies name theirs
    done(std::move(copy));
}

void ArchiveCopies::Read(const std::string& address, ResourceCopies::CopyDone done) {
    if (stage_ == Stage::Reading) {
        reads_.emplace_back(address, std::move(done));
        return;
    }
    AnswerRead(address, done);
}

void ArchiveCopies::AwaitLoad(const std::string& address, ResourceCopies::LoadEnded ended) {
    if (stage_ == Stage::Reading) {
        waits_.emplace_back(address, std::move(ended));
        return;
    }
    ended(Find(address) != nullptr);
}

void ArchiveCopies::Fetch(FileFetcher::FetchId id, const std::string& address,
                          const std::string& filePath, FileFetcher::FetchDone done) {
    Fetching fetch{id, address, filePath, std::move(done)};
    if (stage_ == Stage::Reading) {
        fetching_.push_back(std::move(fetch));
        return;
    }
    WriteFetched(std::move(fetch));
}

void ArchiveCopies::CancelFetch(FileFetcher::FetchId id) {
    std::erase_if(fetching_, [id](const Fetching& fetch) { return fetch.id == id; });
    writing_.erase(id);
}

// A picture may be megabytes: it is written on the worker's thread.
void ArchiveCopies::WriteFetched(Fetching fetch) {
    const ArchivePart* part = Find(fetch.address);
    if (part == nullptr) {
        fetch.done(Translated(kNotInArchive));
        return;
    }
    writing_.insert(fetch.id);
    worker_.Post([this, parts = parts_, part, id = fetch.id, filePath = std::move(fetch.filePath),
                  done = std::move(fetch.done)]() mutable -> std::function<void()> {
        std::optional<std::string> error;
        try {
            WriteFileBytes(filePath, part->bytes);
        } catch (const std::system_error& failure) {
            error = failure.code().message();
        }
        return [this, id, done = std::move(done), error = std::move(error)] {
            if (writing_.erase(id) > 0) {
                done(error);
            }
        };
    });
}

}  // namespace quorvane

#include "image_list/image_facts_reader.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <system_error>
#include <utility>

#include "base/whole_file_write.h"
#include "base/window_slice.h"
#include "saving/content_digest.h"
#include "saving/data_url.h"
#include "saving/image_type.h"

namespace quorvane {
namespace {

std::string Head(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string head(kImageSignatureBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

// The facts of a whole fetched file; none when it cannot be read.
std::optional<ImageFacts> FetchedFacts(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(file, error);
    std::optional<std::string> digest = FileDigest(file);
    if (error || !digest) {
        return std::nullopt;
    }
    const std::string type = SniffedImageType(Head(file));
    return ImageFacts{bytes, type, std::move(*digest),
                      type.empty() ? ImageBytes::NotPicture : ImageBytes::Picture};
}

std::function<void()> RemoveFile(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return {};
}

}  // namespace

ImageFactsReader::ImageFactsReader(ResourceCopies& copies, FileFetcher& fetcher, CallSoon callSoon,
                                   MayFetch mayFetch, Found found,
                                   OrderedWorker::ToWindowThread toWindowThread)
    : copies_(copies),
      fetcher_(fetcher),
      callSoon_(std::move(callSoon)),
      mayFetch_(std::move(mayFetch)),
      found_(std::move(found)),
      files_(std::move(toWindowThread)) {}

// A fetch still running would answer a reader that is gone; the write running ends before
// the folder goes.
ImageFactsReader::~ImageFactsReader() {
    for (const auto& [number, fetch] : fetching_) {
        fetcher_.CancelFetch(fetch.id);
    }
    files_.Stop();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

void ImageFactsReader::Clear() {
    ++page_;
    gathering_ = false;
    ForgetKept();
    asked_.clear();
    awaited_.clear();
    waiting_.clear();
    copying_.clear();
    fetchWaiting_.clear();
    dataWaiting_.clear();
    dataSliceComing_ = false;
    startComing_ = false;
    CancelFetches();
    writingBytes_ = 0;
}

void ImageFactsReader::Want(const std::vector<ImageRow>& rows) {
    for (const ImageRow& row : rows) {
        WantRow(row);
    }
    StartSoon();
    ReadDataSoon();
}

void ImageFactsReader::Want(const std::vector<ImageRow>& rows,
                            const std::vector<std::size_t>& places) {
    for (const std::size_t place : places) {
        if (place < rows.size()) {
            WantRow(rows[place]);
        }
    }
    StartSoon();
    ReadDataSoon();
}

void ImageFactsReader::WantRow(const ImageRow& row) {
    if (row.cut || row.bytes || !asked_.insert(row.address).second) {
        return;
    }
    if (IsDataUrl(row.address)) {
        dataWaiting_.push_back(row.address);
    } else if (mayFetch_(row.address)) {
        waiting_.push_back(row.address);
    }
}

void ImageFactsReader::ReadDataSoon() {
    if (!dataWaiting_.empty() && !dataSliceComing_ && !WritesBehind()) {
        dataSliceComing_ = true;
        callSoon_([this, page = page_] { ReadDataSlice(page); });
    }
}

// Thousands of data: pictures are read a slice at a time, the window getting its turn
// between slices. A slice is bounded by time, as one picture may be a few bytes or a
// megabyte.
void ImageFactsReader::ReadDataSlice(unsigned page) {
    if (page != page_) {
        return;
    }
    dataSliceComing_ = false;
    const auto sliceEnd = std::chrono::steady_clock::now() + kWindowSlice;
    while (!dataWaiting_.empty() && !WritesBehind() &&
           std::chrono::steady_clock::now() < sliceEnd) {
        const std::string address = std::move(dataWaiting_.front());
        dataWaiting_.pop_front();
        ReadData(address);
    }
    ReadDataSoon();
}

void ImageFactsReader::ReadData(const std::string& address) {
    if (const std::optional<DataUrlContent> content = DecodeDataUrl(address)) {
        FoundBytes(address, content->bytes, content->mediaType);
    } else {
        found_(address, {.state = ImageBytes::Missing});
    }
}

void ImageFactsReader::FoundBytes(const std::string& address, const std::string& bytes,
                                  const std::string& type) {
    if (!MakeFolder()) {
        return;
    }
    const unsigned number = ++fetches_;
    const std::string sniffed = SniffedImageType(bytes);
    ImageFacts facts{bytes.size(),
                     sniffed.empty() ? type : sniffed,
                     {},
                     sniffed.empty() ? ImageBytes::NotPicture : ImageBytes::Picture};
    writingBytes_ += bytes.size();
    // The digest of a large picture takes the window's thread a second: it is taken beside.
    files_.Post([this, page = page_, address, number, file = FileOf(number), bytes,
                 facts = std::move(facts)]() mutable -> std::function<void()> {
        facts.digest = BytesDigest(bytes);
        bool whole = true;
        try {
            WholeFileWrite write(file.string());
            write.Write(bytes);
            write.ReplaceTarget();
        } catch (const std::system_error&) {
            whole = false;  // the image has no thumbnail, its facts stand
        }
        return [this, page, address, number, facts = std::move(facts), whole]() mutable {
            Written(page, address, number, std::move(facts), whole);
        };
    });
}

// The facts are told once the file is there, so that a thumbnail never reads it half-done.
void ImageFactsReader::Written(unsigned page, const std::string& address, unsigned number,
                               ImageFacts facts, bool whole) {
    if (page != page_) {
        files_.Post([file = FileOf(number)] { return RemoveFile(file); }, false);
        return;
    }
    const bool wasBehind = WritesBehind();
    writingBytes_ -= std::min<std::uintmax_t>(writingBytes_, facts.bytes);
    if (whole) {
        Keep(address, number, facts.bytes);
    }
    found_(address, std::move(facts));
    if (wasBehind) {
        StartSoon();
        ReadDataSoon();
    }
}

void ImageFactsReader::CancelFetches() {
    for (const auto& [number, fetch] : fetching_) {
        fetcher_.CancelFetch(fetch.id);
        files_.Post([file = FileOf(number)] { return RemoveFile(file); }, false);
    }
    fetching_.clear();
}

bool ImageFactsReader::MakeFolder() {
    if (folder_.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorvane-images-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            return false;
        }
        folder_ = pattern;
    }
    return true;
}

std::string ImageFactsReader::KeptFile(const std::string& address) const {
    const auto kept = kept_.find(address);
    return kept == kept_.end() ? std::string() : FileOf(kept->second).string();
}

// The latest files are kept; the earliest go once the kept files pass their bound.
void ImageFactsReader::Keep(const std::string& address, unsigned number, std::uintmax_t bytes) {
    kept_[address] = number;
    keptOrder_.emplace_back(address, bytes);
    keptBytes_ += bytes;
    while (keptBytes_ > kMaxKeptBytes && !keptOrder_.empty()) {
        const auto& [earliest, size] = keptOrder_.front();
        files_.Post([file = FileOf(kept_.at(earliest))] { return RemoveFile(file); }, false);
        kept_.erase(earliest);
        keptBytes_ -= size;
        keptOrder_.pop_front();
    }
}

// The writes of the page before that have not begun are dropped; its files go after the
// write running, on the writer's thread. A page's thousands of files, their names and
// the sets that held them and its addresses asked for cost the window's thread nothing:
// they go on the writer's too.
void ImageFactsReader::ForgetKept() {
    files_.DropWaiting();
    files_.Post(
        [folder = folder_, kept = std::move(kept_), order = std::move(keptOrder_),
         asked = std::move(asked_)] {
            for (const auto& [address, number] : kept) {
                RemoveFile(folder / std::to_string(number));
            }
            return std::function<void()>();
        },
        false);
    kept_.clear();
    keptOrder_.clear();
    asked_.clear();
    keptBytes_ = 0;
}

std::filesystem::path ImageFactsReader::FileOf(unsigned number) const {
    return folder_ / std::to_string(number);
}

// The engine answers a read within a millisecond or so and each answer would start the
// next: the window's own work (the table drawn with its sizes, the thumbnails) would wait
// until every file was read. The next reads start once the window has had its turn.
void ImageFactsReader::StartSoon() {
    if (startComing_) {
        return;
    }
    startComing_ = true;
    callSoon_([this, alive = std::weak_ptr<bool>(alive_), page = page_] {
        if (alive.lock() && page == page_) {
            startComing_ = false;
            StartMore();
        }
    });
}

// An answer that comes at once (a copy the engine has not, a file the engine fetched
// before) runs from inside the loops, which then go on with the next.
void ImageFactsReader::StartMore() {
    if (starting_) {
        return;
    }
    starting_ = true;
    StartCopies();
    StartFetches();
    starting_ = false;
}

void ImageFactsReader::SetGathering(bool gathering) {
    if (gathering_ && !gathering) {
        StartSoon();
    }
    gathering_ = gathering;
}

void ImageFactsReader::StartCopies() {
    while (!gathering_ && copying_.size() < kCopiesAtOnce && !waiting_.empty() && !WritesBehind()) {
        std::string address = std::move(waiting_.front());
        waiting_.pop_front();
        copying_.insert(address);
        copies_.ReadCopy(address, [this, alive = std::weak_ptr<bool>(alive_), page = page_,
                                   address](std::optional<ServedResource> copy) {
            if (alive.lock()) {
                OnCopied(page, address, std::move(copy));
            }
        });
    }
}

void ImageFactsReader::StartFetches() {
    while (fetching_.size() < FileFetcher::kFetchesAtOnce && !fetchWaiting_.empty()) {
        if (!MakeFolder()) {
            fetchWaiting_.clear();
            break;
        }
        const unsigned number = ++fetches_;
        const std::string address = std::move(fetchWaiting_.front());
        fetchWaiting_.pop_front();
        std::ofstream(FileOf(number), std::ios::binary).close();
        fetching_.emplace(number, Fetching{0, address});
        const FileFetcher::FetchId id =
            fetcher_.Fetch(address, FileOf(number).string(),
                           [this, page = page_, number](std::optional<std::string> error) {
                               OnFetched(page, number, !error);
                           });
        // A fetch may answer before Fetch returns, and is then no longer on its way.
        if (const auto fetch = fetching_.find(number); fetch != fetching_.end()) {
            fetch->second.id = id;
        }
    }
}

// The bytes the page showed, when the engine still has them; else the file is fetched.
void ImageFactsReader::OnCopied(unsigned page, const std::string& address,
                                std::optional<ServedResource> copy) {
    if (page != page_ || copying_.erase(address) == 0) {
        return;
    }
    if (copy) {
        FoundBytes(address, copy->bytes, {});
    } else if (awaited_.insert(address).second) {
        AwaitLoad(address);
    } else {
        fetchWaiting_.push_back(address);
    }
    StartSoon();
}

// A file the page is still loading is the page's own bytes once loaded: fetching it
// again would ask the server twice, and may get other bytes.
void ImageFactsReader::AwaitLoad(const std::string& address) {
    copies_.AwaitLoad(
        address, kLoadWait,
        [this, alive = std::weak_ptr<bool>(alive_), page = page_, address](bool loaded) {
            if (!alive.lock() || page != page_) {
                return;
            }
            if (loaded) {
                waiting_.push_front(address);
            } else {
                fetchWaiting_.push_back(address);
            }
            StartSoon();
        });
}

// A fetched file's size, type and digest are read beside the window: the digest of a large
// picture would hold the window a second. The read is never dropped, so that the file of a
// page gone goes with its answer.
void ImageFactsReader::OnFetched(unsigned page, unsigned number, bool whole) {
    const std::filesystem::path file = FileOf(number);
    const auto fetch = fetching_.find(number);
    if (page != page_ || fetch == fetching_.end()) {
        files_.Post([file] { return RemoveFile(file); }, false);
        StartSoon();
        return;
    }
    const std::string address = fetch->second.address;
    fetching_.erase(fetch);
    if (!whole) {
        found_(address, {.state = ImageBytes::Missing});
        files_.Post([file] { return RemoveFile(file); }, false);
        StartSoon();
        return;
    }
    files_.Post(
        [this, page, address, number, file]() -> std::function<void()> {
            std::optional<ImageFacts> facts = FetchedFacts(file);
            return [this, page, address, number, facts = std::move(facts)] {
                Read(page, address, number, facts);
            };
        },
        false);
    StartSoon();
}

void ImageFactsReader::Read(unsigned page, const std::string& address, unsigned number,
                            const std::optional<ImageFacts>& facts) {
    if (page != page_ || !facts) {
        files_.Post([file = FileOf(number)] { return RemoveFile(file); }, false);
    }
    if (page != page_) {
        return;
    }
    if (facts) {
        Keep(address, number, facts->bytes);
        found_(address, *facts);
    } else {
        found_(address, {.state = ImageBytes::Missing});
    }
}

}  // namespace quorvane

#include "main_window/image_facts_reader.h"

#include <stdlib.h>

#include <fstream>
#include <system_error>
#include <utility>

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

}  // namespace

ImageFactsReader::ImageFactsReader(FileFetcher& fetcher, Found found)
    : fetcher_(fetcher), found_(std::move(found)) {}

ImageFactsReader::~ImageFactsReader() {
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

void ImageFactsReader::Clear() {
    ++page_;
    asked_.clear();
    waiting_.clear();
    fetching_.clear();
}

void ImageFactsReader::Want(const std::vector<ImageRow>& rows) {
    for (const ImageRow& row : rows) {
        if (row.cut || row.bytes || !asked_.insert(row.address).second) {
            continue;
        }
        if (IsDataUrl(row.address)) {
            ReadData(row.address);
        } else {
            waiting_.push_back(row.address);
        }
    }
    StartMore();
}

void ImageFactsReader::ReadData(const std::string& address) {
    const std::optional<DataUrlContent> content = DecodeDataUrl(address);
    if (content) {
        const std::string sniffed = SniffedImageType(content->bytes);
        found_(address, {content->bytes.size(), sniffed.empty() ? content->mediaType : sniffed,
                         BytesDigest(content->bytes)});
    }
}

void ImageFactsReader::Resume() {
    for (auto& [number, address] : fetching_) {
        waiting_.push_front(std::move(address));
    }
    fetching_.clear();
    StartMore();
}

std::filesystem::path ImageFactsReader::FileOf(unsigned number) const {
    return folder_ / std::to_string(number);
}

// An answer that comes at once (a file the engine has) runs OnFetched from inside the
// loop, which then goes on with the next.
void ImageFactsReader::StartMore() {
    if (starting_) {
        return;
    }
    starting_ = true;
    while (fetching_.size() < kFetchesAtOnce && !waiting_.empty()) {
        if (folder_.empty()) {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "quorvane-images-XXXXXX").string();
            if (::mkdtemp(pattern.data()) == nullptr) {
                waiting_.clear();
                break;
            }
            folder_ = pattern;
        }
        const unsigned number = ++fetches_;
        const std::string address = std::move(waiting_.front());
        waiting_.pop_front();
        fetching_.emplace(number, address);
        std::ofstream(FileOf(number), std::ios::binary).close();
        fetcher_.Fetch(address, FileOf(number).string(),
                       [this, page = page_, number](std::optional<std::string> error) {
                           OnFetched(page, number, !error);
                       });
    }
    starting_ = false;
}

void ImageFactsReader::OnFetched(unsigned page, unsigned number, bool whole) {
    const std::filesystem::path file = FileOf(number);
    const auto fetch = fetching_.find(number);
    if (page == page_ && fetch != fetching_.end()) {
        std::error_code error;
        const std::uintmax_t bytes = std::filesystem::file_size(file, error);
        const std::optional<std::string> digest = FileDigest(file);
        if (whole && !error && digest) {
            found_(fetch->second, {bytes, SniffedImageType(Head(file)), *digest});
        }
        fetching_.erase(fetch);
    }
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    StartMore();
}

}  // namespace quorvane

#include "saving/image_saving.h"

#include <fstream>
#include <system_error>
#include <utility>

#include "desktop/user_folders.h"
#include "saving/data_url.h"

namespace quorvane {

ImageSaving::ImageSaving(TransferReport& report, FileFetcher& fetcher)
    : report_(report), fetcher_(fetcher) {}

ImageSaving::~ImageSaving() {
    if (running_) {
        fetcher_.CancelFetches();
    }
}

void ImageSaving::Start(std::vector<ImageToSave> images, std::filesystem::path folder) {
    if (running_) {
        return;
    }
    images_ = std::move(images);
    folder_ = std::move(folder);
    next_ = 0;
    tally_ = ImageSavingTally{static_cast<int>(images_.size())};
    running_ = true;
    ++run_;
    report_.SetStatusText(SavingImagesMessage(tally_.total, folder_, UserHomeFolder()));
    report_.SetProgress(static_cast<float>(tally_.total), 0.01f);
    StartMore();
}

void ImageSaving::Stop() {
    if (!running_) {
        return;
    }
    fetcher_.CancelFetches();
    fetching_.clear();
    tally_.stopped = true;
    Finish();
}

// Fills the free fetch slots in the list's order, so that numbered names ("a (1).png")
// follow that order too. An answer that comes at once runs this again from inside.
void ImageSaving::StartMore() {
    while (running_ && fetching_.size() < kFetchesAtOnce && next_ < images_.size()) {
        const std::size_t index = next_++;
        const ImageToSave& image = images_[index];
        if (IsDataUrl(image.address)) {
            SaveData(image);
            continue;
        }
        try {
            auto [slot, added] = fetching_.emplace(index, PartialFile(folder_, image.fileName));
            fetcher_.Fetch(image.address, slot->second.Path().string(),
                           [this, run = run_, index](std::optional<std::string> error) {
                               OnFetched(run, index, error);
                           });
        } catch (const std::system_error&) {
            Count(false);
        }
    }
    FinishWhenDone();
}

void ImageSaving::SaveData(const ImageToSave& image) {
    const std::optional<DataUrlContent> content = DecodeDataUrl(image.address);
    if (!content) {
        Count(false);
        return;
    }
    try {
        PartialFile file(folder_, image.fileName);
        std::ofstream out(file.Path(), std::ios::binary);
        out.write(content->bytes.data(), static_cast<std::streamsize>(content->bytes.size()));
        out.close();
        if (!out) {
            throw std::system_error(std::make_error_code(std::errc::io_error));
        }
        file.Commit();
        Count(true);
    } catch (const std::system_error&) {
        Count(false);
    }
}

void ImageSaving::OnFetched(unsigned run, std::size_t index,
                            const std::optional<std::string>& error) {
    const auto slot = fetching_.find(index);
    if (run != run_ || slot == fetching_.end()) {
        return;
    }
    bool saved = false;
    if (!error) {
        try {
            slot->second.Commit();
            saved = true;
        } catch (const std::system_error&) {
        }
    }
    fetching_.erase(slot);
    Count(saved);
    StartMore();
}

void ImageSaving::Count(bool saved) {
    ++(saved ? tally_.saved : tally_.failed);
    report_.SetProgress(static_cast<float>(tally_.total),
                        static_cast<float>(tally_.saved + tally_.failed));
}

void ImageSaving::FinishWhenDone() {
    if (running_ && next_ == images_.size() && fetching_.empty()) {
        Finish();
    }
}

void ImageSaving::Finish() {
    running_ = false;
    report_.SetStatusText(SavedImagesMessage(tally_, folder_, UserHomeFolder()));
}

}  // namespace quorvane

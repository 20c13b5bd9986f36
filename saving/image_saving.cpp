#include "saving/image_saving.h"

#include <system_error>
#include <utility>

#include "base/file_bytes_write.h"
#include "base/window_slice.h"
#include "desktop/translation.h"
#include "desktop/user_folders.h"
#include "saving/content_digest.h"
#include "saving/data_url.h"
#include "saving/image_extension.h"
#include "saving/image_type.h"
#include "saving/whole_file.h"

namespace quorvane {
namespace {

// Why an image failed, when no system call says it.
constexpr const char* kCutAddress = Translatable("the address is cut short");
constexpr const char* kBrokenData = Translatable("the data: address is broken");
constexpr const char* kUnreadable = Translatable("the fetched file cannot be read");

}  // namespace

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
    RemoveLeftPartialFiles(folder_);
    next_ = 0;
    namesTaken_.clear();
    digests_.clear();
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
// data: pictures are written here, a slice at a time, the rest after the window's turn.
void ImageSaving::StartMore() {
    const auto sliceEnd = std::chrono::steady_clock::now() + kWindowSlice;
    std::size_t written = 0;
    while (running_ && fetching_.size() < FileFetcher::kFetchesAtOnce && next_ < images_.size()) {
        const ImageToSave& image = images_[next_];
        if (IsDataUrl(image.address)) {
            if (written == kDataPerSlice ||
                (written > 0 && std::chrono::steady_clock::now() >= sliceEnd)) {
                report_.CallSoon([this, run = run_] {
                    if (run == run_) {
                        StartMore();
                    }
                });
                return;
            }
            ++next_;
            ++written;
            SaveData(image);
            continue;
        }
        const std::size_t index = next_++;
        if (image.cut) {
            CountFailed(Translated(kCutAddress));
            continue;
        }
        try {
            auto [slot, added] = fetching_.emplace(index, NewFile(image.fileName));
            fetcher_.Fetch(image.address, slot->second.Path().string(),
                           [this, run = run_, index](std::optional<std::string> error) {
                               OnFetched(run, index, error);
                           });
        } catch (const std::system_error& error) {
            CountFailed(error.code().message());
        }
    }
    FinishWhenDone();
}

void ImageSaving::SaveData(const ImageToSave& image) {
    const std::optional<DataUrlContent> content = DecodeDataUrl(image.address);
    if (image.cut) {
        CountFailed(Translated(kCutAddress));
        return;
    }
    if (!content) {
        CountFailed(Translated(kBrokenData));
        return;
    }
    if (!digests_.insert(BytesDigest(content->bytes)).second) {
        Count(Outcome::Duplicate);
        return;
    }
    try {
        const std::string name =
            NameForImageBytes(image.fileName, SniffedImageType(content->bytes));
        PartialFile file = NewFile(name);
        WriteFileBytes(file.Path(), content->bytes);
        const std::filesystem::path saved = file.Commit();
        if (name != image.fileName) {
            tally_.Renamed(image.fileName, saved.filename().string());
        }
        Count(Outcome::Saved);
    } catch (const std::system_error& error) {
        CountFailed(error.code().message());
    }
}

PartialFile ImageSaving::NewFile(const std::string& name) {
    int& taken = namesTaken_[name];
    PartialFile file(folder_, name, taken);
    ++taken;
    return file;
}

void ImageSaving::OnFetched(unsigned run, std::size_t index,
                            const std::optional<std::string>& error) {
    const auto slot = fetching_.find(index);
    if (run != run_ || slot == fetching_.end()) {
        return;
    }
    if (error) {
        CountFailed(*error);
    } else {
        Keep(slot->second, images_[index].fileName);
    }
    fetching_.erase(slot);
    StartMore();
}

// A file whose bytes an earlier one of the run had is left to go with its partial file. A
// picture is named for the type its bytes say, whatever its address says.
void ImageSaving::Keep(PartialFile& file, const std::string& name) {
    const std::optional<std::string> digest = FileDigest(file.Path());
    if (!digest) {
        CountFailed(Translated(kUnreadable));
        return;
    }
    if (!digests_.insert(*digest).second) {
        Count(Outcome::Duplicate);
        return;
    }
    try {
        const std::string named = NameForImageBytes(name, SniffedImageFileType(file.Path()));
        if (named != name) {
            file.Rename(named);
        }
        const std::filesystem::path saved = file.Commit();
        if (named != name) {
            tally_.Renamed(name, saved.filename().string());
        }
        Count(Outcome::Saved);
    } catch (const std::system_error& error) {
        CountFailed(error.code().message());
    }
}

void ImageSaving::CountFailed(const std::string& reason) {
    tally_.Failed(reason);
    ShowProgress();
}

void ImageSaving::Count(Outcome outcome) {
    if (outcome == Outcome::Saved) {
        ++tally_.saved;
    } else {
        ++tally_.duplicates;
    }
    ShowProgress();
}

void ImageSaving::ShowProgress() {
    report_.SetProgress(static_cast<float>(tally_.total),
                        static_cast<float>(tally_.saved + tally_.duplicates + tally_.failed));
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

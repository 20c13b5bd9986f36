#include "saving/image_saving.h"

#include <system_error>
#include <utility>

#include "base/file_bytes_write.h"
#include "base/window_slice.h"
#include "desktop/translation.h"
#include "desktop/user_folders.h"
#include "saving/data_url.h"
#include "saving/whole_file.h"

namespace quorvane {
namespace {

// Why an image failed, when no system call says it.
constexpr const char* kCutAddress = Translatable("the address is cut short");
constexpr const char* kBrokenData = Translatable("the data: address is broken");

}  // namespace

ImageSaving::ImageSaving(TransferReport& report, FileFetcher& fetcher,
                         OrderedWorker::ToWindowThread toWindowThread)
    : report_(report), fetcher_(fetcher), finisher_(std::move(toWindowThread)) {}

ImageSaving::~ImageSaving() {
    CancelFetches();
}

void ImageSaving::CancelFetches() {
    for (const auto& [index, fetch] : fetching_) {
        fetcher_.CancelFetch(fetch.id);
    }
    fetching_.clear();
}

void ImageSaving::Start(std::vector<ImageToSave> images, std::filesystem::path folder,
                        PictureConversion conversion) {
    if (running_) {
        return;
    }
    images_ = std::move(images);
    folder_ = std::move(folder);
    RemoveLeftPartialFiles(folder_);
    next_ = 0;
    namesTaken_.clear();
    finishing_ = 0;
    conversion_ = conversion;
    digests_ = std::make_shared<std::set<std::string>>();
    tally_ = ImageSavingTally{static_cast<int>(images_.size())};
    tally_.format = FormatName(conversion.format);
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
    CancelFetches();
    // The files waiting to be finished go with their jobs; the one being finished goes with
    // its answer, which comes for an earlier run.
    finisher_.DropWaiting();
    tally_.stopped = true;
    End();
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
        StartFetch(next_++);
    }
    FinishWhenDone();
}

void ImageSaving::StartFetch(std::size_t index) {
    const ImageToSave& image = images_[index];
    if (image.cut) {
        CountFailed(Translated(kCutAddress));
        return;
    }
    try {
        auto [slot, added] = fetching_.emplace(index, Fetching{NewFile(image.fileName)});
        const FileFetcher::FetchId id =
            fetcher_.Fetch(image.address, slot->second.file.Path().string(),
                           [this, run = run_, index](std::optional<std::string> error) {
                               OnFetched(run, index, error);
                           });
        // A fetch may answer before Fetch returns, and is then no longer on its way.
        if (const auto fetch = fetching_.find(index); fetch != fetching_.end()) {
            fetch->second.id = id;
        }
    } catch (const std::system_error& error) {
        CountFailed(error.code().message());
    }
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
    try {
        PartialFile file = NewFile(image.fileName);
        WriteFileBytes(file.Path(), content->bytes);
        Finish(std::move(file), image.fileName);
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
    PartialFile file = std::move(slot->second.file);
    fetching_.erase(slot);
    if (error) {
        CountFailed(*error);
    } else {
        Finish(std::move(file), images_[index].fileName);
    }
    StartMore();
}

// The job owns the file while it finishes it, and its answer owns it then: a file dropped
// with either (a run stopped, the saving gone) is removed only once nothing writes it.
void ImageSaving::Finish(PartialFile file, const std::string& name) {
    ++finishing_;
    finisher_.Post([this, run = run_, file = std::make_shared<PartialFile>(std::move(file)), name,
                    conversion = conversion_,
                    digests = digests_](std::stop_token stop) -> std::function<void()> {
        FinishedPicture finished = FinishPicture(file->Path(), name, conversion, *digests, stop);
        return [this, run, file, name, finished = std::move(finished)] {
            OnFinished(run, *file, name, finished);
        };
    });
}

void ImageSaving::OnFinished(unsigned run, PartialFile& file, const std::string& name,
                             const FinishedPicture& finished) {
    if (run != run_ || !running_) {
        return;
    }
    --finishing_;
    switch (finished.outcome) {
        case Finished::Duplicate:
            Count(Outcome::Duplicate);
            break;
        case Finished::Failed:
            CountFailed(Translated(finished.reason.c_str()));
            break;
        case Finished::Kept:
        case Finished::Converted:
        case Finished::NotConverted:
            Keep(file, name, finished);
            break;
    }
    FinishWhenDone();
}

// A picture is named for the type its bytes say, whatever its address says; a converted one
// for the format it now has, which the message says apart.
void ImageSaving::Keep(PartialFile& file, const std::string& asked,
                       const FinishedPicture& finished) {
    try {
        if (finished.name != asked) {
            file.Rename(finished.name);
        }
        const std::filesystem::path saved = file.Commit();
        if (finished.outcome == Finished::Converted) {
            ++tally_.converted;
        } else if (finished.name != asked) {
            tally_.Renamed(asked, saved.filename().string());
        }
        if (finished.outcome == Finished::NotConverted) {
            ++tally_.notConverted[Translated(finished.reason.c_str())];
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
    if (running_ && next_ == images_.size() && fetching_.empty() && finishing_ == 0) {
        End();
    }
}

void ImageSaving::End() {
    running_ = false;
    report_.SetStatusText(SavedImagesMessage(tally_, folder_, UserHomeFolder()));
}

}  // namespace quorvane

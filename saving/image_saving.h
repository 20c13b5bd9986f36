#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/ordered_worker.h"
#include "engine/file_fetcher.h"
#include "saving/images_to_save.h"
#include "saving/partial_file.h"
#include "saving/picture_conversion.h"
#include "saving/picture_finish.h"
#include "saving/transfer_messages.h"
#include "saving/transfer_report.h"

namespace quorvane {

// "Save Images…": writes every image of a list into a folder, fetched through the
// Browser view's element so that the page's cookies and session apply, a few at a time.
// data: images are written from their data. Each file is written under its partial
// name and named only when whole, with the extension of the type its bytes say, never over a file
// that is there; one with the bytes of a file saved before in the run is skipped as a duplicate;
// partial files that a killed run left in the folder go first. A whole file is finished beside
// the window (its digest, and its conversion when one is asked: FinishPicture), the file going
// with the job and coming back with its answer. The progress bar counts the images; status
// panel 1 ends with what was saved, converted and failed, and why.
class ImageSaving {
  public:
    // data: pictures written before the window gets its turn again: at most this many,
    // and no more once kWindowSlice has passed, as a file may take a millisecond to write.
    static constexpr std::size_t kDataPerSlice = 32;

    // toWindowThread: how the finishing of the files answers, as OrderedWorker's; without it
    // each is finished at once (the logic tested without a display).
    ImageSaving(TransferReport& report, FileFetcher& fetcher,
                OrderedWorker::ToWindowThread toWindowThread = {});
    ~ImageSaving();
    ImageSaving(const ImageSaving&) = delete;
    ImageSaving& operator=(const ImageSaving&) = delete;

    bool Running() const { return running_; }
    // Starts saving images into folder (made when missing), converted as asked; nothing
    // while a run is on.
    void Start(std::vector<ImageToSave> images, std::filesystem::path folder,
               PictureConversion conversion = {});
    // Ends the run: the fetches still running are cancelled and their partial files
    // removed; what was saved stays.
    void Stop();

  private:
    enum class Outcome { Saved, Duplicate };
    using Finished = FinishedPicture::Outcome;

    void StartMore();
    // Fetches images_[index] into a partial file of its own.
    void StartFetch(std::size_t index);
    void SaveData(const ImageToSave& image);
    // A partial file for the name, looking past the numbers this run has taken.
    PartialFile NewFile(const std::string& name);
    void OnFetched(unsigned run, std::size_t index, const std::optional<std::string>& error);
    // Hands the whole file, asked to be called name, to the finishing beside the window.
    void Finish(PartialFile file, const std::string& name);
    void OnFinished(unsigned run, PartialFile& file, const std::string& name,
                    const FinishedPicture& finished);
    // Names the finished file and counts it.
    void Keep(PartialFile& file, const std::string& asked, const FinishedPicture& finished);
    void Count(Outcome outcome);
    void CountFailed(const std::string& reason);
    void ShowProgress();
    void FinishWhenDone();
    void End();
    // Ends this run's fetches on their way; other tasks' fetches go on.
    void CancelFetches();

    TransferReport& report_;
    FileFetcher& fetcher_;
    std::vector<ImageToSave> images_;
    std::filesystem::path folder_;
    std::size_t next_ = 0;
    struct Fetching {
        PartialFile file;
        FileFetcher::FetchId id = 0;
    };
    std::map<std::size_t, Fetching> fetching_;  // by the image's place in images_
    std::map<std::string, int> namesTaken_;  // how often this run has used each name
    std::size_t finishing_ = 0;              // files with the finishing
    PictureConversion conversion_;
    // Of the bytes this run has saved: only the finishing's jobs, one at a time, touch it.
    std::shared_ptr<std::set<std::string>> digests_;
    ImageSavingTally tally_;
    bool running_ = false;
    unsigned run_ = 0;  // numbers the runs, so an answer for an earlier run is known
    OrderedWorker finisher_;  // last, so that no answer comes once the rest is gone
};

}  // namespace quorvane

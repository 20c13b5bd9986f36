#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/file_fetcher.h"
#include "saving/images_to_save.h"
#include "saving/partial_file.h"
#include "saving/transfer_messages.h"
#include "saving/transfer_report.h"

namespace quorvane {

// "Save Images…": writes every image of a list into a folder, fetched through the
// Browser view's element so that the page's cookies and session apply, a few at a time.
// data: images are written from their data. Each file is written under its partial
// name and named only when whole, with the extension of the type its bytes say, never over a file
// that is there; one with the bytes of a file saved before in the run is skipped as a duplicate;
// partial files that a killed run left in the folder go first. The progress bar counts the images;
// status panel 1 ends with what was saved and what failed, and why.
class ImageSaving {
  public:
    // data: pictures written before the window gets its turn again: at most this many,
    // and no more once kWindowSlice has passed, as a file may take a millisecond to write.
    static constexpr std::size_t kDataPerSlice = 32;

    ImageSaving(TransferReport& report, FileFetcher& fetcher);
    ~ImageSaving();
    ImageSaving(const ImageSaving&) = delete;
    ImageSaving& operator=(const ImageSaving&) = delete;

    bool Running() const { return running_; }
    // Starts saving images into folder (made when missing); nothing while a run is on.
    void Start(std::vector<ImageToSave> images, std::filesystem::path folder);
    // Ends the run: the fetches still running are cancelled and their partial files
    // removed; what was saved stays.
    void Stop();

  private:
    enum class Outcome { Saved, Duplicate };

    void StartMore();
    void SaveData(const ImageToSave& image);
    // A partial file for the name, looking past the numbers this run has taken.
    PartialFile NewFile(const std::string& name);
    void OnFetched(unsigned run, std::size_t index, const std::optional<std::string>& error);
    // Names the fetched file, asked to be called name, and counts it.
    void Keep(PartialFile& file, const std::string& name);
    void Count(Outcome outcome);
    void CountFailed(const std::string& reason);
    void ShowProgress();
    void FinishWhenDone();
    void Finish();

    TransferReport& report_;
    FileFetcher& fetcher_;
    std::vector<ImageToSave> images_;
    std::filesystem::path folder_;
    std::size_t next_ = 0;
    std::map<std::size_t, PartialFile> fetching_;
    std::map<std::string, int> namesTaken_;  // how often this run has used each name
    std::set<std::string> digests_;          // of the bytes this run has saved
    ImageSavingTally tally_;
    bool running_ = false;
    unsigned run_ = 0;  // numbers the runs, so an answer for an earlier run is known
};

}  // namespace quorvane

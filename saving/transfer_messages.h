#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace quorvane {

// What status panel 1 says about downloads and saved images.

// folder as the user reads it: "~/Downloads" below home, the full path elsewhere.
std::string FolderForDisplay(const std::filesystem::path& folder,
                             const std::filesystem::path& home);

// "Downloading archive.zip…"
std::string DownloadStartedMessage(const std::filesystem::path& file);
// "Downloading archive.zip: 3.1 of 8.0 MB", in kB below a megabyte; without " of …"
// when the size is not known (total 0).
std::string DownloadProgressMessage(const std::string& name, std::uint64_t received,
                                    std::uint64_t total);
// "Saved archive.zip to ~/Downloads"
std::string SavedFileMessage(const std::filesystem::path& file, const std::filesystem::path& home);
// "Download of archive.zip failed: <reason>", or "Download of archive.zip cancelled".
std::string DownloadFailedMessage(const std::string& name, const std::string& reason);
std::string DownloadCancelledMessage(const std::string& name);

// How a run of "Save Images…" went.
struct ImageSavingTally {
    int total = 0;
    int saved = 0;
    int failed = 0;
    bool stopped = false;
    int duplicates = 0;  // skipped, as an earlier one had the same bytes
    // Why they failed ("No space left on device"), each with how many it failed.
    std::map<std::string, int> failures{};

    // Saved under the extension of their bytes' type rather than their address's, with the
    // first of them: its name asked and its name saved.
    int renamed = 0;
    std::string firstAsked{};
    std::string firstSaved{};

    // Converted into the format asked ("PNG"), and kept as they came for want of it, each
    // reason ("over 100 million pixels") with how many it kept.
    std::string format{};
    int converted = 0;
    std::map<std::string, int> notConverted{};

    // One more failed, for reason.
    void Failed(const std::string& reason);
    // One more saved as saved rather than asked, for the type of its bytes.
    void Renamed(const std::string& asked, const std::string& saved);
};

// "Saving 38 images to ~/Downloads/page…"
std::string SavingImagesMessage(int total, const std::filesystem::path& folder,
                                const std::filesystem::path& home);
// "Saved 37 of 40 images to ~/Downloads/page; 2 duplicates skipped; 1 failed: <reason>",
// begun with "Stopped: " and "saved" when Stop ended the run. Several reasons are each
// followed by their count, the most frequent first: "3 failed: Not Found (2), File too
// large (1)". Pictures renamed for their bytes are said after the saved: "; photo.jpg
// saved as photo.png, for its PNG bytes", or "; 3 renamed for their bytes' type: photo.jpg
// as photo.png, …". Then the conversion: "; 3 converted to PNG; 2 kept as is: bytes that
// do not decode (1), over 100 million pixels (1)".
std::string SavedImagesMessage(const ImageSavingTally& tally, const std::filesystem::path& folder,
                               const std::filesystem::path& home);

}  // namespace quorvane

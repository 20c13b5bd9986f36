#include "saving/transfer_messages.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/ascii.h"

namespace quorvane {

namespace fs = std::filesystem;

std::string FolderForDisplay(const fs::path& folder, const fs::path& home) {
    const fs::path relative = folder.lexically_normal().lexically_relative(home.lexically_normal());
    if (home.empty() || relative.empty() || *relative.begin() == "..") {
        return folder.string();
    }
    return relative == "." ? "~" : "~/" + relative.string();
}

std::string DownloadStartedMessage(const fs::path& file) {
    return "Downloading " + file.filename().string() + "\u2026";
}

namespace {

// One decimal place: "3.1".
std::string OneDecimal(double value) {
    const auto tenths = static_cast<std::uint64_t>(value * 10 + 0.5);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace

std::string DownloadProgressMessage(const std::string& name, std::uint64_t received,
                                    std::uint64_t total) {
    constexpr double kMegabyte = 1e6;
    constexpr double kKilobyte = 1e3;
    const bool megabytes = std::max(received, total) >= kMegabyte;
    const double unit = megabytes ? kMegabyte : kKilobyte;
    std::string message = "Downloading " + name + ": " + OneDecimal(received / unit);
    if (total > 0) {
        message += " of " + OneDecimal(total / unit);
    }
    return message + (megabytes ? " MB" : " kB");
}

std::string SavedFileMessage(const fs::path& file, const fs::path& home) {
    return "Saved " + file.filename().string() + " to " +
           FolderForDisplay(file.parent_path(), home);
}

std::string DownloadFailedMessage(const std::string& name, const std::string& reason) {
    return "Download of " + name + " failed: " + reason;
}

std::string DownloadCancelledMessage(const std::string& name) {
    return "Download of " + name + " cancelled";
}

void ImageSavingTally::Failed(const std::string& reason) {
    ++failed;
    ++failures[reason];
}

void ImageSavingTally::Renamed(const std::string& asked, const std::string& saved) {
    if (renamed++ == 0) {
        firstAsked = asked;
        firstSaved = saved;
    }
}

namespace {

// "; photo.jpg saved as photo.png, for its PNG bytes", the type read from the extension.
std::string RenamedPictures(const ImageSavingTally& tally) {
    if (tally.renamed == 0) {
        return {};
    }
    if (tally.renamed > 1) {
        return "; " + std::to_string(tally.renamed) +
               " renamed for their bytes' type: " + tally.firstAsked + " as " + tally.firstSaved +
               ", \u2026";
    }
    const std::size_t dot = tally.firstSaved.rfind('.');
    std::string type = dot == std::string::npos ? std::string() : tally.firstSaved.substr(dot + 1);
    for (char& c : type) {
        c = UpperAscii(c);
    }
    return "; " + tally.firstAsked + " saved as " + tally.firstSaved + ", for its " + type +
           " bytes";
}

// ": No space left on device", or ": Not Found (2), File too large (1)".
std::string FailureReasons(const std::map<std::string, int>& failures) {
    std::vector<std::pair<std::string, int>> reasons(failures.begin(), failures.end());
    std::stable_sort(reasons.begin(), reasons.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string text;
    for (const auto& [reason, count] : reasons) {
        text += (text.empty() ? ": " : ", ") + reason;
        if (reasons.size() > 1) {
            text += " (" + std::to_string(count) + ")";
        }
    }
    return text;
}

}  // namespace

std::string SavingImagesMessage(int total, const fs::path& folder, const fs::path& home) {
    return "Saving " + std::to_string(total) + (total == 1 ? " image" : " images") + " to " +
           FolderForDisplay(folder, home) + "\u2026";
}

std::string SavedImagesMessage(const ImageSavingTally& tally, const fs::path& folder,
                               const fs::path& home) {
    std::string message = tally.stopped ? "Stopped: saved " : "Saved ";
    message += std::to_string(tally.saved) + " of " + std::to_string(tally.total) +
               (tally.total == 1 ? " image" : " images") + " to " + FolderForDisplay(folder, home) +
               RenamedPictures(tally);
    if (tally.duplicates > 0) {
        message += "; " + std::to_string(tally.duplicates) +
                   (tally.duplicates == 1 ? " duplicate skipped" : " duplicates skipped");
    }
    if (tally.failed > 0) {
        message += "; " + std::to_string(tally.failed) + " failed" + FailureReasons(tally.failures);
    }
    return message;
}

}  // namespace quorvane

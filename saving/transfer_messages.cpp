#include "saving/transfer_messages.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/ascii.h"
#include "desktop/translation.h"

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
    return Translated("Downloading {1}\u2026", {file.filename().string()});
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
    const std::string sizeUnit = megabytes ? "MB" : "kB";
    if (total > 0) {
        return Translated("Downloading {1}: {2} of {3} {4}",
                          {name, OneDecimal(received / unit), OneDecimal(total / unit), sizeUnit});
    }
    return Translated("Downloading {1}: {2} {3}", {name, OneDecimal(received / unit), sizeUnit});
}

std::string SavedFileMessage(const fs::path& file, const fs::path& home) {
    return Translated("Saved {1} to {2}",
                      {file.filename().string(), FolderForDisplay(file.parent_path(), home)});
}

std::string DownloadFailedMessage(const std::string& name, const std::string& reason) {
    return Translated("Download of {1} failed: {2}", {name, reason});
}

std::string DownloadCancelledMessage(const std::string& name) {
    return Translated("Download of {1} cancelled", {name});
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
        return Translated("; {1} renamed for their bytes' type: {2} as {3}, \u2026",
                          {std::to_string(tally.renamed), tally.firstAsked, tally.firstSaved});
    }
    const std::size_t dot = tally.firstSaved.rfind('.');
    std::string type = dot == std::string::npos ? std::string() : tally.firstSaved.substr(dot + 1);
    for (char& c : type) {
        c = UpperAscii(c);
    }
    return Translated("; {1} saved as {2}, for its {3} bytes",
                      {tally.firstAsked, tally.firstSaved, type});
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

// "; 3 converted to PNG; 1 kept as is: bytes that do not decode".
std::string Conversions(const ImageSavingTally& tally) {
    std::string text;
    if (tally.converted > 0) {
        text += Translated("; {1} converted to {2}", {std::to_string(tally.converted), tally.format});
    }
    int kept = 0;
    for (const auto& [reason, count] : tally.notConverted) {
        kept += count;
    }
    if (kept > 0) {
        text += Translated("; {1} kept as is", {std::to_string(kept)}) +
                FailureReasons(tally.notConverted);
    }
    return text;
}

}  // namespace

std::string SavingImagesMessage(int total, const fs::path& folder, const fs::path& home) {
    const std::string count = std::to_string(total);
    const std::string shown = FolderForDisplay(folder, home);
    return total == 1 ? Translated("Saving {1} image to {2}\u2026", {count, shown})
                      : Translated("Saving {1} images to {2}\u2026", {count, shown});
}

std::string SavedImagesMessage(const ImageSavingTally& tally, const fs::path& folder,
                               const fs::path& home) {
    const std::string saved = std::to_string(tally.saved);
    const std::string total = std::to_string(tally.total);
    const std::string shown = FolderForDisplay(folder, home);
    const char* said =
        tally.stopped ? (tally.total == 1 ? Translatable("Stopped: saved {1} of {2} image to {3}")
                                          : Translatable("Stopped: saved {1} of {2} images to {3}"))
                      : (tally.total == 1 ? Translatable("Saved {1} of {2} image to {3}")
                                          : Translatable("Saved {1} of {2} images to {3}"));
    std::string message =
        Translated(said, {saved, total, shown}) + RenamedPictures(tally) + Conversions(tally);
    if (tally.duplicates > 0) {
        const std::string count = std::to_string(tally.duplicates);
        message += tally.duplicates == 1 ? Translated("; {1} duplicate skipped", {count})
                                         : Translated("; {1} duplicates skipped", {count});
    }
    if (tally.failed > 0) {
        message += Translated("; {1} failed", {std::to_string(tally.failed)}) +
                   FailureReasons(tally.failures);
    }
    return message;
}

}  // namespace quorvane

#include "saving/saved_download.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "desktop/translation.h"
#include "desktop/user_folders.h"
#include "saving/saved_file_name.h"
#include "saving/transfer_messages.h"

namespace quorvane {
namespace {

constexpr const char* kFallbackName = "download";

// Nothing loads any more: the bar is empty, as after a page.
constexpr float kEmptyBar = 0.01f;

}  // namespace

SavedDownload::SavedDownload(TransferReport& report) : report_(report) {}

DownloadDestination SavedDownload::DestinationFor(std::string_view suggestedName) {
    name_ = SafeFileName(suggestedName, kFallbackName);
    const std::filesystem::path folder = UserDownloadFolder();
    RemoveLeftPartialFiles(folder);
    try {
        file_.emplace(folder, name_);
    } catch (const std::system_error& error) {
        return {{},
                Translated("cannot write to {1} ({2})",
                           {FolderForDisplay(folder, UserHomeFolder()), error.code().message()})};
    }
    return {file_->Path().string(), {}};
}

void SavedDownload::Started() {
    report_.SetStatusText(DownloadStartedMessage(file_->FinalPath()));
    report_.SetProgress(100, kEmptyBar);
}

void SavedDownload::Received(std::uint64_t received, std::uint64_t announced, double estimate) {
    report_.SetProgress(100, std::max(kEmptyBar, static_cast<float>(estimate * 100)));
    std::string said = DownloadProgressMessage(
        file_ ? file_->FinalPath().filename().string() : std::string(kFallbackName), received,
        announced);
    if (said != shownProgress_) {
        report_.SetStatusText(said);
        shownProgress_ = std::move(said);
    }
}

void SavedDownload::Finished() {
    if (!file_) {
        Failed(Translated("the engine wrote it nowhere"));
        return;
    }
    try {
        const std::filesystem::path saved = file_->Commit();
        report_.SetStatusText(SavedFileMessage(saved, UserHomeFolder()));
        report_.SetProgress(100, kEmptyBar);
    } catch (const std::system_error& failure) {
        Failed(failure.code().message());
    }
}

void SavedDownload::Failed(const std::string& why) {
    file_.reset();
    report_.SetStatusText(DownloadFailedMessage(ShownName(), why));
    report_.SetProgress(100, kEmptyBar);
}

void SavedDownload::Cancelled() {
    file_.reset();
    report_.SetStatusText(DownloadCancelledMessage(ShownName()));
    report_.SetProgress(100, kEmptyBar);
}

std::string SavedDownload::ShownName() const {
    return name_.empty() ? std::string(kFallbackName) : name_;
}

}  // namespace quorvane

#include "main_window/request_list_keeper.h"

#include <system_error>

#include "branding/version_record.h"
#include "desktop/translation.h"
#include "desktop/user_folders.h"
#include "inspection/served_source_file_name.h"
#include "requests/har_export.h"
#include "saving/saved_file_name.h"
#include "saving/transfer_messages.h"
#include "saving/whole_file.h"

namespace quorvane {

RequestListKeeper::RequestListKeeper(BrowserViewElement& browser, RequestListTable& table,
                                     RequestListPane& pane, TransferReport& report)
    : browser_(browser), table_(table), pane_(pane), report_(report) {
    browser_.WatchRequests(*this);
}

void RequestListKeeper::PageBegan() {
    table_.Log().PageBegan();
    pane_.TableChanged();
}

void RequestListKeeper::Sent(const RequestSent& sent) {
    table_.Log().Sent(sent);
    pane_.TableChanged();
}

void RequestListKeeper::Redirected(const RequestRedirected& redirected) {
    table_.Log().Redirected(redirected);
    pane_.TableChanged();
}

void RequestListKeeper::Answered(const RequestAnswered& answered) {
    table_.Log().Answered(answered);
    pane_.TableChanged();
}

void RequestListKeeper::Ended(const RequestEnded& ended) {
    table_.Log().Ended(ended);
    pane_.TableChanged();
}

std::string RequestListKeeper::ExportFileName() const {
    std::string page = ServedSourceFileName(browser_.Address(), "text/html");
    const std::size_t dot = page.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        page.erase(dot);
    }
    return SafeFileName(page + "-requests.har", "requests.har");
}

void RequestListKeeper::Export(const std::filesystem::path& file, bool includeCredentials) {
    const HarHeading heading{.creatorVersion = EmbeddedVersionRecord().ProductVersion,
                             .pageAddress = browser_.Address(),
                             .pageTitle = browser_.Title(),
                             .includeCredentials = includeCredentials};
    const std::string text = RequestsHar(heading, table_.Log());
    try {
        const std::filesystem::path saved =
            SaveWholeFile(file.parent_path(), file.filename().string(), text);
        report_.SetStatusText(SavedFileMessage(saved, UserHomeFolder()));
    } catch (const std::system_error& error) {
        report_.SetStatusText(Translated("Could not save {1}: {2}",
                                         {file.filename().string(), error.code().message()}));
    }
}

}  // namespace quorvane

#include "requests/request_list_keeper.h"

#include "branding/version_record.h"
#include "saving/list_export.h"
#include "requests/har_export.h"

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
    return ListExportFileName(browser_.Address(), "-requests.har", "requests.har");
}

void RequestListKeeper::Export(const std::filesystem::path& file, bool includeCredentials) {
    const HarHeading heading{.creatorVersion = EmbeddedVersionRecord().ProductVersion,
                             .pageAddress = browser_.Address(),
                             .pageTitle = browser_.Title(),
                             .includeCredentials = includeCredentials};
    report_.SetStatusText(SaveListExport(file, [&](const BytePieceWriter& write) {
        WriteRequestsHar(heading, table_.Log(), write);
    }));
}

}  // namespace quorvane

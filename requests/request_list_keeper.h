#pragma once

#include <filesystem>
#include <string>

#include "engine/browser_view_element.h"
#include "engine/request_events.h"
#include "requests/request_list_pane.h"
#include "requests/request_list_table.h"
#include "saving/transfer_report.h"

namespace quorvane {

// The Resources tab's logic: it hears every request of the Browser view's page from the
// engine, keeps them in the table that pane shows, and exports them as a HAR file.
class RequestListKeeper : public RequestEvents {
  public:
    RequestListKeeper(BrowserViewElement& browser, RequestListTable& table, RequestListPane& pane,
                      TransferReport& report);
    RequestListKeeper(const RequestListKeeper&) = delete;
    RequestListKeeper& operator=(const RequestListKeeper&) = delete;

    RequestListTable& Table() { return table_; }

    // The name the export proposes: "<page name>-requests.har".
    std::string ExportFileName() const;
    // Writes the page's requests to file as HAR, never over a file that is there, whole or
    // not at all; cookies and credentials only when asked. Says in panel 1 what happened.
    void Export(const std::filesystem::path& file, bool includeCredentials);

    // RequestEvents.
    void PageBegan() override;
    void Sent(const RequestSent& sent) override;
    void Redirected(const RequestRedirected& redirected) override;
    void Answered(const RequestAnswered& answered) override;
    void Ended(const RequestEnded& ended) override;

  private:
    BrowserViewElement& browser_;
    RequestListTable& table_;
    RequestListPane& pane_;
    TransferReport& report_;
};

}  // namespace quorvane

#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/browser_view_element.h"
#include "engine/request_events.h"
#include "requests/har_bodies.h"
#include "requests/request_list_pane.h"
#include "requests/request_list_table.h"
#include "saving/transfer_report.h"

namespace quorvane {

// What an export of the requests holds besides them; both are left out unless asked.
struct RequestExportOptions {
    bool includeCredentials = false;
    bool includeTextBodies = false;  // of the text files the engine still holds
};

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
    // Text bodies, when asked, are read from the engine's copies first, one file after the
    // other; a new page before the last is read ends the export with nothing written.
    void Export(const std::filesystem::path& file, RequestExportOptions options);

    // RequestEvents.
    void PageBegan() override;
    void Sent(const RequestSent& sent) override;
    void Redirected(const RequestRedirected& redirected) override;
    void Answered(const RequestAnswered& answered) override;
    void Ended(const RequestEnded& ended) override;

  private:
    // An export waiting for the engine's copies of the page's text files.
    struct BodiesReading {
        std::filesystem::path file;
        RequestExportOptions options;
        std::vector<HarBodies::ToRead> files;
        std::size_t next = 0;
        HarBodies bodies{};
    };

    void ReadNextBody();
    void Write(const std::filesystem::path& file, RequestExportOptions options,
               const HarBodies* bodies);

    BrowserViewElement& browser_;
    RequestListTable& table_;
    RequestListPane& pane_;
    TransferReport& report_;
    std::optional<BodiesReading> reading_;
    unsigned readings_ = 0;  // numbers the exports, so that a copy read for one before is dropped
    // Gone with this object, so that the engine's answer that comes later finds it gone.
    std::shared_ptr<const int> alive_ = std::make_shared<const int>();
};

}  // namespace quorvane

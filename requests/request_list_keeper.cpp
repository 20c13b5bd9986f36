#include "requests/request_list_keeper.h"

#include "branding/version_record.h"
#include "desktop/translation.h"
#include "inspection/served_source_text.h"
#include "saving/list_export.h"
#include "requests/har_export.h"

namespace quorvane {

RequestListKeeper::RequestListKeeper(BrowserViewElement& browser, RequestListTable& table,
                                     RequestListPane& pane, TransferReport& report)
    : browser_(browser), table_(table), pane_(pane), report_(report) {
    browser_.WatchRequests(*this);
}

void RequestListKeeper::PageBegan() {
    if (reading_) {
        reading_.reset();
        ++readings_;
        report_.SetStatusText(Translated(
            "The page changed before its files were read: the requests were not exported."));
    }
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

void RequestListKeeper::Export(const std::filesystem::path& file, RequestExportOptions options) {
    ++readings_;
    reading_.reset();
    if (!options.includeTextBodies) {
        Write(file, options, nullptr);
        return;
    }
    reading_ = BodiesReading{
        .file = file, .options = options, .files = HarBodies::FilesToRead(table_.Log())};
    report_.SetStatusText(
        Translated("Reading the text bodies for {1}\u2026", {file.filename().string()}));
    ReadNextBody();
}

// Past the bound the files left need not be read; the engine answers at once or later.
void RequestListKeeper::ReadNextBody() {
    while (reading_->next < reading_->files.size() && reading_->bodies.Full()) {
        reading_->bodies.LeaveOut(reading_->files[reading_->next++].address);
    }
    if (reading_->next == reading_->files.size()) {
        const BodiesReading done = std::move(*reading_);
        reading_.reset();
        Write(done.file, done.options, &done.bodies);
        return;
    }
    const HarBodies::ToRead& toRead = reading_->files[reading_->next];
    browser_.ReadCopy(toRead.address, [this, reading = readings_, mimeType = toRead.mimeType,
                                       alive = std::weak_ptr<const int>(alive_)](
                                          std::optional<ServedResource> copy) {
        if (alive.expired() || reading != readings_ || !reading_) {
            return;
        }
        std::optional<std::string> text;
        if (copy) {
            text =
                DecodeServedSource(copy->bytes, mimeType, copy->charset, HarBodies::kMaxBytes).text;
        }
        reading_->bodies.Add(reading_->files[reading_->next++].address, std::move(text));
        ReadNextBody();
    });
}

void RequestListKeeper::Write(const std::filesystem::path& file, RequestExportOptions options,
                              const HarBodies* bodies) {
    const HarHeading heading{.creatorVersion = EmbeddedVersionRecord().ProductVersion,
                             .pageAddress = browser_.Address(),
                             .pageTitle = browser_.Title(),
                             .includeCredentials = options.includeCredentials,
                             .bodies = bodies};
    report_.SetStatusText(SaveListExport(file, [&](const BytePieceWriter& write) {
        WriteRequestsHar(heading, table_.Log(), write);
    }));
}

}  // namespace quorvane

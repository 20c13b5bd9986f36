#include "inspection/served_source_follower.h"

#include <optional>
#include <string>
#include <utility>

#include "desktop/translation.h"
#include "engine/archive_document.h"
#include "inspection/served_source_text.h"

namespace quorvane {

ServedSourceFollower::ServedSourceFollower(BrowserViewElement& browser, ServedSourcePane& pane,
                                           std::function<void(bool stillLoading)> loading)
    : browser_(browser), pane_(pane), loading_(std::move(loading)) {}

// Whatever the view holds or reads is of the page before now.
void ServedSourceFollower::OnMainResourceFinished() {
    state_ = State::OutdatedWhileLoading;
    ++request_;
    if (pane_.Visible()) {
        Read();
    }
}

// The page read while it loaded is the one whose load ends: the view keeps it, and its
// place in it. Any other page is read now, as the engine may never have said it had its
// bytes; so is a page of our own that took the place of the one read.
void ServedSourceFollower::OnPageLoaded() {
    const bool readWhileLoading =
        state_ == State::ShownWhileLoading || state_ == State::ReadingWhileLoading;
    if (loading_) {
        loading_(false);
    }
    if (readWhileLoading && browser_.OwnPageStatus().empty()) {
        state_ = state_ == State::ShownWhileLoading ? State::Shown : State::Reading;
        return;
    }
    state_ = State::Outdated;
    ++request_;
    if (pane_.Visible()) {
        Read();
    }
}

void ServedSourceFollower::OnShown() {
    if (state_ == State::Outdated || state_ == State::OutdatedWhileLoading) {
        Read();
    } else if (state_ == State::ShownWhileLoading && loading_) {
        loading_(true);
    }
}

void ServedSourceFollower::OnHidden() {
    if (state_ == State::ShownWhileLoading && loading_) {
        loading_(false);
    }
}

void ServedSourceFollower::Read() {
    const unsigned request = ++request_;
    // The page of our own the Browser view shows for one that could not be opened is no
    // page a server sent: the view says why there is none, as the generated views do.
    if (const std::string ownPage = browser_.OwnPageStatus(); !ownPage.empty()) {
        state_ = State::Shown;
        pane_.ShowSource(Translated("No page: {1}", {ownPage}), {});
        return;
    }
    state_ = state_ == State::OutdatedWhileLoading ? State::ReadingWhileLoading : State::Reading;
    browser_.ReadMainResourceCopy([this, request](std::optional<ServedResource> resource) {
        OnRead(request, std::move(resource));
    });
}

// A page still loading whose bytes the engine cannot give is read again at its load's end.
void ServedSourceFollower::OnRead(unsigned request, std::optional<ServedResource> resource) {
    if (request != request_) {
        return;
    }
    const bool stillLoading = state_ == State::ReadingWhileLoading;
    if (!resource) {
        state_ = stillLoading ? State::OutdatedWhileLoading : State::Shown;
        if (!stillLoading) {
            pane_.ShowSource({}, {});
        }
        return;
    }
    state_ = stillLoading ? State::ShownWhileLoading : State::Shown;
    // Of a page saved whole the view shows the page's document, as it was saved.
    ServedResource document = ShownDocument(std::move(*resource));
    ServedSourceText text = DecodeServedSource(document.bytes, document.mimeType, document.charset);
    pane_.TellEncoding(text.encoding);
    pane_.ShowSource(std::move(text.text), std::move(document.address));
    if (stillLoading && loading_) {
        loading_(true);
    }
}

}  // namespace quorvane

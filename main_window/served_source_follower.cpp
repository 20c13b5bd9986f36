#include "main_window/served_source_follower.h"

#include <optional>
#include <string>
#include <utility>

#include "inspection/served_source_text.h"

namespace quorvane {

ServedSourceFollower::ServedSourceFollower(BrowserViewElement& browser, ServedSourcePane& pane)
    : browser_(browser), pane_(pane) {}

void ServedSourceFollower::OnPageLoaded() {
    state_ = State::Outdated;
    ++request_;
    if (pane_.Visible()) {
        Read();
    }
}

void ServedSourceFollower::OnShown() {
    if (state_ == State::Outdated) {
        Read();
    }
}

void ServedSourceFollower::Read() {
    const unsigned request = ++request_;
    // The page of our own the Browser view shows for one that could not be opened is no
    // page a server sent: the view says why there is none, as the generated views do.
    if (const std::string ownPage = browser_.OwnPageStatus(); !ownPage.empty()) {
        state_ = State::Shown;
        pane_.ShowSource("No page: " + ownPage, {});
        return;
    }
    state_ = State::Reading;
    browser_.ReadMainResourceCopy([this, request](std::optional<ServedResource> resource) {
        OnRead(request, std::move(resource));
    });
}

void ServedSourceFollower::OnRead(unsigned request, std::optional<ServedResource> resource) {
    if (request != request_) {
        return;
    }
    state_ = State::Shown;
    if (!resource) {
        pane_.ShowSource({}, {});
        return;
    }
    ServedSourceText text =
        DecodeServedSource(resource->bytes, resource->mimeType, resource->charset);
    pane_.ShowSource(std::move(text.text), std::move(resource->address));
}

}  // namespace quorvane

#include "main_window/served_source_follower.h"

#include <optional>
#include <utility>

#include "inspection/served_source_text.h"

namespace quorvane {

ServedSourceFollower::ServedSourceFollower(BrowserElement& browser, ServedSourcePane& pane)
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
    state_ = State::Reading;
    const unsigned request = ++request_;
    browser_.FetchMainResource([this, request](std::optional<ServedResource> resource) {
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

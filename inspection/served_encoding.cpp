#include "inspection/served_encoding.h"

#include <utility>

#include "inspection/served_source_text.h"

namespace quorvane {

void ServedEncoding::ShowSource(std::string text, std::string pageAddress) {
    ++request_;
    // Another page, or a page of the program's own: the choice was for the page before.
    if (chosen_ && (pageAddress != address_ || pageAddress.empty())) {
        chosen_.reset();
    }
    address_ = pageAddress;
    if (chosen_) {
        ReadAgain();
        return;
    }
    shown_ = told_;
    next_.ShowSource(std::move(text), std::move(pageAddress));
}

void ServedEncoding::Choose(const WebEncoding& encoding) {
    if (address_.empty()) {
        return;
    }
    chosen_ = encoding;
    ++request_;
    ReadAgain();
}

// The bytes come from the engine's memory: the page is not fetched again.
void ServedEncoding::ReadAgain() {
    if (browser_ == nullptr) {
        return;
    }
    shown_ = std::string(chosen_->name);
    browser_->ReadMainResourceCopy(
        [this, request = request_,
         alive = std::weak_ptr<const int>(alive_)](std::optional<ServedResource> resource) {
            if (alive.expired() || request != request_ || !resource || !chosen_) {
                return;
            }
            ServedSourceText text =
                DecodeServedSource(resource->bytes, resource->mimeType, chosen_->name);
            next_.ShowSource(std::move(text.text), std::move(resource->address));
        });
}

}  // namespace quorvane

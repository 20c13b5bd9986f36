#include "tests/main_window/fake_browser_element.h"

#include <stdexcept>
#include <utility>

namespace quorvane::testing {

FakeBrowserElement::FakeBrowserElement(std::string name, CallLog& log)
    : name_(std::move(name)), log_(log) {}

void FakeBrowserElement::Record(const std::string& operation, const std::string& argument) const {
    log_.push_back(name_ + "." + operation + (argument.empty() ? "" : "(" + argument + ")"));
    if (failing_.contains(operation)) {
        throw BrowserError(name_ + ": " + operation + " failed");
    }
    if (faulting_.contains(operation)) {
        throw std::logic_error(name_ + ": " + operation + " went wrong");
    }
}

// A new address drops the pages that were ahead of the current one, as a browser does.
void FakeBrowserElement::Visit(const std::string& address) {
    if (!history_.empty()) {
        history_.resize(position_ + 1);
    }
    history_.push_back(address);
    position_ = history_.size() - 1;
}

void FakeBrowserElement::Navigate(const std::string& address) {
    Record("Navigate", address);
    Visit(address);
}

void FakeBrowserElement::Navigate2(const std::string& filePath) {
    Record("Navigate2", filePath);
    Visit("file://" + filePath);
}

void FakeBrowserElement::GoBack() {
    Record("GoBack");
    if (history_.empty() || position_ == 0) {
        throw BrowserError(name_ + ": no earlier page");
    }
    --position_;
}

void FakeBrowserElement::GoForward() {
    Record("GoForward");
    if (history_.empty() || position_ + 1 == history_.size()) {
        throw BrowserError(name_ + ": no later page");
    }
    ++position_;
}

void FakeBrowserElement::GoHome() {
    Record("GoHome");
    Visit(kHomeAddress);
}

void FakeBrowserElement::Stop() {
    Record("Stop");
}

void FakeBrowserElement::Refresh() {
    Record("Refresh");
}

std::string FakeBrowserElement::LocationURL() const {
    Record("LocationURL");
    return history_.empty() ? std::string() : history_[position_];
}

std::string FakeBrowserElement::LocationName() const {
    Record("LocationName");
    return title_;
}

void FakeBrowserElement::SetVisible(bool visible) {
    Record("SetVisible", visible ? "true" : "false");
    visible_ = visible;
}

void FakeBrowserElement::SetLocalFilesBlocked(bool blocked) {
    Record("SetLocalFilesBlocked", blocked ? "true" : "false");
}

void FakeBrowserElement::CaptureBodyHtml(CaptureDone done) {
    Record("CaptureBodyHtml");
    if (onDemand_) {
        waiting_.push_back(std::move(done));
    } else {
        done(body_);
    }
}

void FakeBrowserElement::AnswerCapture() {
    CaptureDone done = std::move(waiting_.front());
    waiting_.erase(waiting_.begin());
    done(body_);
}

}  // namespace quorvane::testing

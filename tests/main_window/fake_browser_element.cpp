#include "tests/main_window/fake_browser_element.h"

#include <fstream>
#include <sstream>
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

void FakeBrowserElement::LoadFile(const std::string& filePath) {
    preparing_ = false;
    Record("LoadFile", filePath);
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

std::string FakeBrowserElement::Address() const {
    Record("Address");
    return history_.empty() ? std::string() : history_[position_];
}

std::string FakeBrowserElement::Title() const {
    Record("Title");
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
        done(CapturedBody());
    }
}

void FakeBrowserElement::CaptureBodyStart(std::size_t chars, CaptureDone done) {
    if (!body_ || body_->size() <= chars) {
        done(std::nullopt);
    } else {
        done(body_->substr(0, chars));
    }
}

void FakeBrowserElement::ReadMainResourceCopy(ResourceDone done) {
    Record("ReadMainResourceCopy");
    if (resourcesOnDemand_) {
        waitingResources_.push_back(std::move(done));
    } else {
        done(resource_);
    }
}

void FakeBrowserElement::SavePageArchive(const std::string& filePath, ArchiveDone done) {
    Record("SavePageArchive", filePath);
    if (!archiveError_) {
        std::ofstream(filePath, std::ios::binary | std::ios::trunc) << "MHTML of " << Address();
    }
    done(archiveError_);
}

void FakeBrowserElement::AnswerResource() {
    ResourceDone done = std::move(waitingResources_.front());
    waitingResources_.erase(waitingResources_.begin());
    done(resource_);
}

std::optional<std::string> FakeBrowserElement::CapturedBody() const {
    if (!body_) {
        return std::nullopt;
    }
    return *body_;
}

void FakeBrowserElement::Find(const std::string& text, bool matchCase, unsigned maxMatches,
                              FindDone found) {
    Record("Find", text + (matchCase ? ", case" : "") + ", " + std::to_string(maxMatches));
    found(matches_);
}

void FakeBrowserElement::SetZoomLevel(double level) {
    std::ostringstream shown;
    shown << level;
    Record("SetZoomLevel", shown.str());
    zoom_ = level;
}

void FakeBrowserElement::ServeFetch(const std::string& address, const std::string& bytes) {
    fetchBytes_[address] = bytes;
}

void FakeBrowserElement::FailFetch(const std::string& address, const std::string& error) {
    fetchErrors_[address] = error;
}

// The file is written as the engine writes it: replaced, and complete before done runs.
FileFetcher::FetchId FakeBrowserElement::Fetch(const std::string& address,
                                               const std::string& filePath, FetchDone done) {
    Record("Fetch", address);
    const FetchId id = ++lastFetch_;
    if (const auto bytes = fetchBytes_.find(address); bytes != fetchBytes_.end()) {
        std::ofstream(filePath, std::ios::binary) << bytes->second;
        done(std::nullopt);
    } else if (const auto error = fetchErrors_.find(address); error != fetchErrors_.end()) {
        done(error->second);
    } else {
        std::ofstream(filePath, std::ios::binary) << "partial";
        waitingFetches_.push_back({id, filePath, std::move(done)});
    }
    return id;
}

void FakeBrowserElement::CancelFetch(FetchId fetch) {
    std::erase_if(waitingFetches_, [fetch](const WaitingFetch& each) { return each.id == fetch; });
}

void FakeBrowserElement::ReadCopy(const std::string& address, CopyDone done) {
    Record("ReadCopy", address);
    const auto copy = copies_.find(address);
    if (copy == copies_.end()) {
        done(std::nullopt);
    } else {
        done(ServedResource{address, copy->second, "image/x-as-served", {}});
    }
}

void FakeBrowserElement::AwaitLoad(const std::string& address, std::chrono::milliseconds,
                                   LoadEnded ended) {
    Record("AwaitLoad", address);
    if (loading_.contains(address)) {
        waitingLoads_.emplace_back(address, std::move(ended));
    } else {
        ended(false);
    }
}

void FakeBrowserElement::EndLoads() {
    auto waiting = std::move(waitingLoads_);
    waitingLoads_.clear();
    for (auto& [address, ended] : waiting) {
        copies_[address] = loading_[address];
        loading_.erase(address);
        ended(true);
    }
}

void FakeBrowserElement::AnswerFetches() {
    auto waiting = std::move(waitingFetches_);
    waitingFetches_.clear();
    for (auto& [id, filePath, done] : waiting) {
        std::ofstream(filePath, std::ios::binary) << "later";
        done(std::nullopt);
    }
}

void FakeBrowserElement::AnswerCapture() {
    CaptureDone done = std::move(waiting_.front());
    waiting_.erase(waiting_.begin());
    done(CapturedBody());
}

}  // namespace quorvane::testing

#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/browser_view_element.h"
#include "engine/generated_view_element.h"
#include "tests/main_window/call_log.h"

namespace quorvane::testing {

// A browser element without an engine, in either role as the real one: it records every
// call in the shared log as "<name>.<operation>" or "<name>.<operation>(<argument>)", keeps
// a history of the addresses it was sent to, and throws BrowserError where an engine would
// fail (going back or forward with nowhere to go, or any operation the test marks as
// failing).
class FakeBrowserElement : public BrowserViewElement, public GeneratedViewElement {
  public:
    static constexpr const char* kHomeAddress = "http://home.example/";

    FakeBrowserElement(std::string name, CallLog& log);

    // Every later call of operation ("Stop", "Address", ...) throws BrowserError.
    void FailOn(const std::string& operation) { failing_.insert(operation); }
    // Every later call of operation throws std::logic_error, as a fault of the program.
    void FaultOn(const std::string& operation) { faulting_.insert(operation); }
    void SetTitle(std::string title) { title_ = std::move(title); }
    // The element shows a page of its own in place of the one asked for, as the real
    // one does when a page cannot be opened; "" for a page of the web.
    void SetOwnPageStatus(std::string status) { ownPageStatus_ = std::move(status); }
    // The body the next captures return; nullopt stands for a page without a document.
    void SetBody(std::optional<std::string> body) { body_ = std::move(body); }
    // From now on captures wait until AnswerCapture, as the real engine's do.
    void AnswerCapturesOnDemand() { onDemand_ = true; }
    void AnswerCapture();  // answers the oldest waiting capture
    std::size_t WaitingCaptures() const { return waiting_.size(); }
    // The document the next ReadMainResourceCopy gives; nullopt for none. From
    // AnswerResourcesOnDemand on they wait until AnswerResource, oldest first.
    void SetMainResource(std::optional<ServedResource> resource) {
        resource_ = std::move(resource);
    }
    void AnswerResourcesOnDemand() { resourcesOnDemand_ = true; }
    void AnswerResource();
    std::size_t WaitingResources() const { return waitingResources_.size(); }
    const std::vector<std::string>& History() const { return history_; }
    // How the next archives of the page end: written with the page's address as their
    // bytes, or failing with error (nullopt: written).
    void FailArchives(std::optional<std::string> error) { archiveError_ = std::move(error); }
    // The number of matches the next searches count.
    void SetMatches(unsigned matches) { matches_ = matches; }
    // How each fetch ends: the bytes written into its file, or the error it reports;
    // an address without either waits until AnswerFetches.
    void ServeFetch(const std::string& address, const std::string& bytes);
    void FailFetch(const std::string& address, const std::string& error);
    std::size_t WaitingFetches() const { return waitingFetches_.size(); }
    void AnswerFetches();  // answers every waiting fetch with success, writing "later"
    // The copy of address the engine keeps from the shown page; one without any has none.
    void KeepCopy(const std::string& address, const std::string& bytes) {
        copies_[address] = bytes;
    }
    // The page is still loading address: the engine has its copy once EndLoad says so.
    void KeepLoading(const std::string& address, const std::string& bytes) {
        loading_[address] = bytes;
    }
    // Ends every load waited for, whole.
    void EndLoads();

    void Navigate(const std::string& address) override;
    void LoadFile(const std::string& filePath) override;
    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    void Stop() override;
    void Refresh() override;
    std::string Address() const override;
    std::string Title() const override;
    std::string OwnPageStatus() const override { return ownPageStatus_; }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override;
    void SetLocalFilesBlocked(bool blocked) override;
    // Kept, not logged: the logs of the page loads stay as they are.
    void SetPreparing(bool preparing) override { preparing_ = preparing; }
    bool Preparing() const { return preparing_; }
    void SetPreparedFirstScreen(std::string html, std::string filePath, bool) override {
        preparedFirstScreen_ = {std::move(html), std::move(filePath)};
    }
    // The html and file path of the last first screen prepared.
    const std::pair<std::string, std::string>& PreparedFirstScreen() const {
        return preparedFirstScreen_;
    }
    void CaptureBodyHtml(CaptureDone done) override;
    // Answers at once with the body's first chars bytes, as the engine's units.
    void CaptureBodyStart(std::size_t chars, CaptureDone done) override;
    void ReadMainResourceCopy(ResourceDone done) override;
    void SavePageArchive(const std::string& filePath, ArchiveDone done) override;
    void Find(const std::string& text, bool matchCase, unsigned maxMatches,
              FindDone found) override;
    void FindNext() override { Record("FindNext"); }
    void FindPrevious() override { Record("FindPrevious"); }
    void EndFind() override { Record("EndFind"); }
    void WatchImages(ImagesReported reported, std::function<void()> newPage) override {
        Record("WatchImages");
        imagesReported_ = std::move(reported);
        newImagePage_ = std::move(newPage);
    }
    void GatherImagesAgain() override { Record("GatherImagesAgain"); }
    void WatchRequests(RequestEvents& events) override {
        Record("WatchRequests");
        requestEvents_ = &events;
    }
    // The listener of the page's requests, to raise the engine's events on; nullptr
    // until one is watching.
    RequestEvents* RequestListener() const { return requestEvents_; }
    // Sends a report as the gatherer in the page would.
    void ReportImages(const std::string& report) const { imagesReported_(report); }
    void BeginImagePage() const { newImagePage_(); }
    double ZoomLevel() const override { return zoom_; }
    void SetZoomLevel(double level) override;
    FetchId Fetch(const std::string& address, const std::string& filePath,
                  FetchDone done) override;
    void CancelFetch(FetchId fetch) override;
    void ReadCopy(const std::string& address, CopyDone done) override;
    void AwaitLoad(const std::string& address, std::chrono::milliseconds wait,
                   LoadEnded ended) override;

  private:
    void Record(const std::string& operation, const std::string& argument = {}) const;
    std::optional<std::string> CapturedBody() const;
    void Visit(const std::string& address);

    std::string name_;
    CallLog& log_;
    std::set<std::string> failing_;
    std::set<std::string> faulting_;
    std::vector<std::string> history_;
    std::size_t position_ = 0;
    std::string title_;
    std::string ownPageStatus_;
    bool visible_ = false;
    bool preparing_ = false;
    std::pair<std::string, std::string> preparedFirstScreen_;
    std::optional<std::string> body_;
    bool onDemand_ = false;
    std::vector<CaptureDone> waiting_;
    std::optional<ServedResource> resource_;
    ImagesReported imagesReported_;
    RequestEvents* requestEvents_ = nullptr;
    std::function<void()> newImagePage_;
    bool resourcesOnDemand_ = false;
    std::vector<ResourceDone> waitingResources_;
    std::optional<std::string> archiveError_;
    unsigned matches_ = 0;
    double zoom_ = 1.0;
    std::map<std::string, std::string> fetchBytes_;
    std::map<std::string, std::string> fetchErrors_;
    struct WaitingFetch {
        FetchId id;
        std::string filePath;
        FetchDone done;
    };
    std::vector<WaitingFetch> waitingFetches_;
    FetchId lastFetch_ = 0;
    std::map<std::string, std::string> copies_;
    std::map<std::string, std::string> loading_;
    std::vector<std::pair<std::string, LoadEnded>> waitingLoads_;
};

}  // namespace quorvane::testing

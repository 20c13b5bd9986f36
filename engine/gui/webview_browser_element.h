#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/browser_events.h"
#include "engine/browser_view_element.h"
#include "engine/generated_view_element.h"
#include "engine/generated_view_load.h"
#include "engine/gui/cover_follower.h"
#include "engine/gui/deferred_load.h"
#include "engine/gui/engine_zoom.h"

class wxWebView;
class wxWindow;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

class ArchiveCopies;
class BodyCapture;
class CoverFollower;
class EngineFetches;
class FirstScreenCover;
class GeneratedViewEngine;
class EngineFind;
class EngineImageGatherer;
class EngineArchiveReader;
class EngineResourceCopies;
class LocalFilesFilter;
class LocalFilesFilterStore;
class MainResourceWatch;
class NewWindowRequests;
class OwnPages;
class PageFocus;
class PageReports;
class RequestWatch;

// A browser element on wxWebView with the WebKitGTK engine. Where wxWebView has no
// event for what the main window needs (load progress, the hovered link's address,
// the end of every load however it ended), the element listens to the native
// WebKitWebView's signals itself. It is made as the Browser view's element or as a
// generated view's (its Kind), and takes the calls of both roles as that kind does: the
// Browser view prepares no page, and a generated view keeps no copies of its files.
class WebViewBrowserElement : public BrowserViewElement, public GeneratedViewElement {
  public:
    enum class Kind {
        // A normal browser: the page the user chose.
        Browser,
        // Shows only the generated pages and what the user follows from them: no
        // script runs, files without a charset declaration are read as UTF-8,
        // pictures load only while the view is shown, a page it is sent to is drawn
        // once it is read whole and shown, and a new page never waits behind an old one.
        GeneratedView,
    };

    // Told the element's window once it is made, to place it: at once for the Browser view;
    // for a generated view when it is first shown, or first asked for what only its engine
    // can do (until then it has no engine process, and no window).
    using WindowMade = std::function<void(wxWebView* window)>;

    // index: the element number every event carries. homePagePath: the start page
    // shipped beside the program, loaded by GoHome. filters: the program's one store of
    // the local-files filter that the generated views share (a generated view given none
    // makes a store of its own; the Browser view needs none). cover: what the generated
    // views show over a page the engine has not drawn yet (none: they show nothing then).
    WebViewBrowserElement(wxWindow* parent, int index, Kind kind, BrowserEvents& events,
                          std::string homePagePath,
                          std::shared_ptr<LocalFilesFilterStore> filters = nullptr,
                          std::shared_ptr<FirstScreenCover> cover = nullptr,
                          WindowMade windowMade = {});
    ~WebViewBrowserElement() override;
    WebViewBrowserElement(const WebViewBrowserElement&) = delete;
    WebViewBrowserElement& operator=(const WebViewBrowserElement&) = delete;

    void Navigate(const std::string& address) override;
    void LoadFile(const std::string& filePath) override;
    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    void Stop() override;
    void Refresh() override;

    std::string Address() const override;
    std::string Title() const override;
    std::string OwnPageStatus() const override;
    bool Visible() const override;
    void SetVisible(bool visible) override;
    void SetLocalFilesBlocked(bool blocked) override;
    void SetPreparing(bool preparing) override;
    void SetPreparedFirstScreen(std::string html, std::string filePath,
                                bool localFilesBlocked) override;

    void CaptureBodyHtml(CaptureDone done) override;
    void CaptureBodyStart(std::size_t chars, CaptureDone done) override;
    void ReadMainResourceCopy(ResourceDone done) override;
    void SavePageArchive(const std::string& filePath, ArchiveDone done) override;
    void Find(const std::string& text, bool matchCase, unsigned maxMatches,
              FindDone found) override;
    void FindNext() override;
    void FindPrevious() override;
    void EndFind() override;
    void WatchImages(ImagesReported reported, std::function<void()> newPage) override;
    void GatherImagesAgain() override;
    void WatchRequests(RequestEvents& events) override;
    double ZoomLevel() const override;
    void SetZoomLevel(double level) override;
    FetchId Fetch(const std::string& address, const std::string& filePath,
                  FetchDone done) override;
    void CancelFetch(FetchId fetch) override;
    void ReadCopy(const std::string& address, CopyDone done) override;
    void AwaitLoad(const std::string& address, std::chrono::milliseconds wait,
                   LoadEnded ended) override;

    // The window to place on the main window (nullptr while the element has no engine), and
    // whether a load is running.
    wxWebView* Window() const { return webView_; }
    bool Busy() const;
    // Gives the keyboard to the page: to the engine's own widget, not only to the window
    // around it, so that the keys the Help lists (Page Down, End) scroll it at once.
    void FocusPage();

  private:
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);

    // Makes the engine, its window and what works on them, once.
    void MakeEngine();
    void MakeEngineParts();
    void SetUpGeneratedView();
    // The engine signals every kind of view follows: the load, its title and progress,
    // the mouse, keys for the window and what cannot be shown.
    void ConnectPageSignals();
    void LoadAddress(const std::string& address);
    // The files of the page saved whole that the Browser view shows; nullptr while it shows
    // none, and in a generated view.
    ArchiveCopies* ShownArchive() const;
    // Carries out what the generated view's page life asks for.
    void CarryOutLoadActions(const GeneratedViewLoad::Actions& actions);

    int index_;
    Kind kind_;
    BrowserEvents& events_;
    std::string homePagePath_;
    wxWindow* parent_;
    WindowMade windowMade_;
    // Kept until the engine is made.
    std::shared_ptr<LocalFilesFilterStore> filters_;
    std::shared_ptr<FirstScreenCover> cover_;
    wxWebView* webView_ = nullptr;
    WebKitWebView* native_ = nullptr;
    std::unique_ptr<BodyCapture> capture_;
    std::unique_ptr<PageFocus> focus_;
    DeferredLoad deferred_;
    // The address last asked for, until its document (or an error page) commits.
    std::string loading_;
    std::unique_ptr<PageReports> reports_;
    std::unique_ptr<EngineFind> find_;
    std::unique_ptr<EngineZoom> zoom_;
    std::unique_ptr<EngineFetches> fetches_;
    FetchId lastFetch_ = 0;
    std::unique_ptr<EngineImageGatherer> images_;
    std::unique_ptr<EngineResourceCopies> copies_;  // the Browser view's only
    std::unique_ptr<MainResourceWatch> mainResource_;  // the Browser view's only
    std::unique_ptr<EngineArchiveReader> archive_;  // the same
    std::unique_ptr<RequestWatch> requests_;        // the same, once asked
    std::unique_ptr<NewWindowRequests> newWindows_;

    // Generated views only.
    GeneratedViewLoad load_;
    std::unique_ptr<GeneratedViewEngine> generated_;
    PreparedFirstScreen prepared_;
    // Also made for the Browser view, which has no cover to follow.
    std::unique_ptr<CoverFollower> covering_;
    bool localFilesBlocked_ = false;
    std::unique_ptr<LocalFilesFilter> localFiles_;
    // The Browser view's pages in place of one that could not be shown, with the guard
    // against an engine that does not answer (the generated views restart on their own).
    std::unique_ptr<OwnPages> ownPages_;
};

}  // namespace quorvane

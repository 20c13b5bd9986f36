#pragma once

#include <wx/string.h>
#include <wx/timer.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "main_window/browser_element.h"

class wxWebView;
class wxWindow;
typedef struct _GCancellable GCancellable;
typedef struct _GError GError;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _GObject GObject;
typedef struct _GAsyncResult GAsyncResult;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitUserStyleSheet WebKitUserStyleSheet;
typedef struct _GtkWidget GtkWidget;
typedef struct _WebKitUserContentFilter WebKitUserContentFilter;
typedef struct _WebKitUserContentFilterStore WebKitUserContentFilterStore;
typedef struct _WebKitFindController WebKitFindController;
typedef struct _GdkEventScroll GdkEventScroll;

namespace quorvane {

class EngineAnswerGuard;
class EngineFetches;

// A browser element on wxWebView with the WebKitGTK engine. Where wxWebView has no
// event for what the main window needs (load progress, the hovered link's address,
// the end of every load however it ended), the element listens to the native
// WebKitWebView's signals itself.
class WebViewBrowserElement : public BrowserElement {
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

    // index: the element number every event carries. homePagePath: the start page
    // shipped beside the program, loaded by GoHome.
    WebViewBrowserElement(wxWindow* parent, int index, Kind kind, BrowserEvents& events,
                          std::string homePagePath);
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
    std::string OwnPageStatus() const override { return ownPageStatus_; }
    bool Visible() const override;
    void SetVisible(bool visible) override;
    void SetLocalFilesBlocked(bool blocked) override;

    void CaptureBodyHtml(CaptureDone done) override;
    void FetchMainResource(ResourceDone done) override;
    void Find(const std::string& text, bool matchCase, unsigned maxMatches,
              FindDone found) override;
    void FindNext() override;
    void FindPrevious() override;
    void EndFind() override;
    double ZoomLevel() const override;
    void SetZoomLevel(double level) override;
    void Fetch(const std::string& address, const std::string& filePath, FetchDone done) override;
    void CancelFetches() override;

    // The window to place on the main window, and whether a load is running.
    wxWebView* Window() const { return webView_; }
    bool Busy() const;

  private:
    // The engine finds no text in a page it does not draw: a search asked for then waits.
    struct HeldFind {
        std::string text;
        unsigned options = 0;
        unsigned maxMatches = 0;
    };

    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);
    static int OnMiddleClick(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                             void* self);
    static int OnLoadFailed(WebKitWebView* view, int loadEvent, const char* failingUri,
                            GError* error, void* self);
    static void OnProgress(WebKitWebView* view, void* paramSpec, void* self);
    static void OnTitle(WebKitWebView* view, void* paramSpec, void* self);
    static void OnMouseTarget(WebKitWebView* view, void* hitTest, unsigned modifiers, void* self);
    static void OnSizeAllocated(GtkWidget* view, void* allocation, void* self);
    static int OnScroll(GtkWidget* view, GdkEventScroll* event, void* self);
    static void OnCountedMatches(WebKitFindController* finder, unsigned matches, void* self);

    void SetUpGeneratedView();
    // Shows html at uri in place of the page asked for there; status is what panel 1
    // says of it.
    void ShowOwnPage(const std::string& uri, const std::string& html, const std::string& status);
    void LoadAddress(const std::string& address);
    // True for the events of the empty page wxWebView loads when it is created.
    bool InCreationLoad(int loadEvent, const char* uri);
    // A generated view's pages: drawn once read whole and shown, never left waiting.
    void HoldDrawing();
    void ReleaseDrawingWhenReady();
    void OnLoadNotStarted();
    void RunFind(const HeldFind& find);
    void StyleCurrentMatch(bool styled);
    static void OnFilterSaved(GObject* store, GAsyncResult* result, void* self);

    void PrepareLocalFilesFilter();
    void ApplyLocalFilesFilter();

    int index_;
    Kind kind_;
    BrowserEvents& events_;
    std::string homePagePath_;
    wxWebView* webView_;
    WebKitWebView* native_;
    GCancellable* captures_;  // cancels every capture still running when we go
    std::string lastStatusText_;
    bool creationLoadPending_ = true;
    WebKitUserStyleSheet* holdDrawing_ = nullptr;  // generated views only
    bool drawingHeld_ = false;
    bool heldPageRead_ = false;
    bool askedSinceLoadStart_ = false;
    wxTimer loadStartWatch_;
    wxString awaitedAddress_;

    // The content filter that keeps local files out of the pages shown while blocked:
    // made once by the engine (asynchronously, in a folder of the element's own), and
    // added to or removed from the view as the blocking changes. A filter in the view
    // leaves the generated pages as they are, local files at their own paths, so that a
    // local page's pictures still show; it stops a load before it starts, whatever
    // address got into the page.
    std::string filterFolder_;
    WebKitUserContentFilterStore* filterStore_ = nullptr;
    WebKitUserContentFilter* localFilesFilter_ = nullptr;
    bool filterBeingMade_ = false;
    bool localFilesBlocked_ = false;
    bool filterApplied_ = false;
    std::string loadAfterFilter_;  // a load asked for while blocked before the filter was made
    WebKitFindController* finder_;
    // While a search is open, the current match (the engine selects it) stands out from
    // the others, even while the find bar has the keyboard and the view's selection
    // would otherwise be a faint grey.
    WebKitUserStyleSheet* currentMatchStyle_;
    bool currentMatchStyled_ = false;
    FindDone found_;                    // the last Find's, until the engine has counted
    unsigned countsAsked_ = 0;          // counts the engine owes, the last one being found_'s
    std::optional<HeldFind> heldFind_;  // a search waiting for the page to show
    double wheelTurn_ = 0;  // smooth scrolling's part of a wheel step, for Ctrl+wheel zoom
    std::unique_ptr<EngineFetches> fetches_;
    // The Browser view's: a page that keeps the engine from answering a new address or
    // Stop costs the user no more than a moment (the generated views restart on their own).
    std::unique_ptr<EngineAnswerGuard> answerGuard_;
    // The page of our own shown now, and the one on its way (ShowOwnPage).
    std::string ownPageStatus_;
    std::optional<std::string> comingOwnPageStatus_;
};

}  // namespace quorvane

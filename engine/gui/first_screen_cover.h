#pragma once

#include <functional>
#include <memory>
#include <string>

class wxWebView;
class wxWindow;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

class LaidOutWatch;
class LocalFilesFilter;
class LocalFilesFilterStore;
class PreparingLine;

// What lies over a generated view while a new page is made for it, and while the engine reads
// and lays out a large page in it: a line saying that a new page is being prepared, or that
// page's first screen, cut from the start of the same file, which a web view of its own
// draws at once. The line stays over the first screen until the web view has drawn it, so
// that the user never sees an empty, white or older picture in between. One cover serves
// both generated views, as only one is shown at a time; its engine process is made the first
// time a view needs a first screen. Like the views, it runs no script, and loads no local
// file while the view it covers may not. A link clicked in it is followed by that view.
class FirstScreenCover {
  public:
    struct Covered {
        wxWindow* view;
        double zoomLevel;
        bool localFilesBlocked;
        std::function<void(const std::string& address)> followLink;
    };

    FirstScreenCover(wxWindow* parent, std::shared_ptr<LocalFilesFilterStore> filters);
    ~FirstScreenCover();
    FirstScreenCover(const FirstScreenCover&) = delete;
    FirstScreenCover& operator=(const FirstScreenCover&) = delete;

    // Covers covered.view with the first screen of the generated page at filePath: the
    // start of the file, or html, the first screen it is expected to have.
    void ShowFirstScreen(Covered covered, const std::string& filePath);
    void ShowFirstScreen(Covered covered, const std::string& html, const std::string& filePath);
    void ShowPreparingLine(Covered covered);
    // Takes the cover off view, when it covers view.
    void Uncover(const wxWindow* view);
    // A view has made its web view, which lies over the cover's own if that is older.
    void ViewMade();
    // The covered view was moved, resized or zoomed: the cover follows.
    void Follow(const wxWindow* view, double zoomLevel);
    // The view the cover is over, nullptr when it is off; and its own web view.
    const wxWindow* CoveredView() const { return covered_.view; }
    wxWebView* Window() const { return webView_; }

  private:
    static int OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                              void* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);
    void Make();
    void Unmake();
    void Place(Covered covered);
    void PutAwayFirstScreen();
    void LoadHtml(const std::string& html, const std::string& baseUri);

    wxWindow* parent_;
    std::shared_ptr<LocalFilesFilterStore> filters_;
    PreparingLine* preparingLine_;
    wxWebView* webView_ = nullptr;
    WebKitWebView* native_ = nullptr;
    std::unique_ptr<LocalFilesFilter> localFiles_;
    std::unique_ptr<LaidOutWatch> shown_;
    bool webViewUnderAView_ = false;
    // The address of the first screen loading under the line, empty once it shows.
    std::string awaitedUri_;
    // The first screen in the web view, and its address; empty while it shows none.
    std::string shownHtml_;
    std::string shownUri_;
    Covered covered_{nullptr, 1.0, true, {}};
};

}  // namespace quorvane

#pragma once

#include <functional>
#include <memory>
#include <string>

class wxWebView;
class wxWindow;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

class LocalFilesFilter;
class LocalFilesFilterStore;

// A web view laid over a generated view while the engine reads and lays out a large page in
// it: it shows that page's first screen, cut from the start of the same file, which its own
// engine process draws at once, or a line saying that a new page is being prepared. One
// cover serves both generated views, as only one is shown at a time; its engine process is
// made the first time a view needs it. Like the views, it runs no script, and loads no local
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

    // Covers covered.view with the first screen of the generated page at filePath.
    void ShowFirstScreen(Covered covered, const std::string& filePath);
    void ShowPreparingLine(Covered covered);
    // Takes the cover off view, when it covers view.
    void Uncover(const wxWindow* view);
    // The covered view was moved, resized or zoomed: the cover follows.
    void Follow(const wxWindow* view, double zoomLevel);
    // The view the cover is over, nullptr when it is off; and its own web view.
    const wxWindow* CoveredView() const { return covered_.view; }
    wxWebView* Window() const { return webView_; }

  private:
    static int OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                              void* self);
    void Make();
    void Place(Covered covered);
    void LoadHtml(const std::string& html, const std::string& baseUri);

    wxWindow* parent_;
    std::shared_ptr<LocalFilesFilterStore> filters_;
    wxWebView* webView_ = nullptr;
    WebKitWebView* native_ = nullptr;
    std::unique_ptr<LocalFilesFilter> localFiles_;
    Covered covered_{nullptr, 1.0, true, {}};
};

}  // namespace quorvane

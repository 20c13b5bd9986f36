#include "engine/gui/webview_browser_element.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "engine/address_to_load.h"
#include "engine/gui/body_capture.h"
#include "engine/gui/cover_follower.h"
#include "engine/gui/engine_find.h"
#include "engine/gui/engine_image_gatherer.h"
#include "engine/gui/engine_resource_copies.h"
#include "engine/gui/generated_view_settings.h"
#include "engine/gui/generated_view_styles.h"
#include "engine/gui/local_files_filter.h"
#include "engine/gui/new_window_requests.h"
#include "engine/gui/own_pages.h"
#include "engine/gui/page_focus.h"
#include "engine/gui/page_keys.h"
#include "engine/zoom_ladder.h"
#include "saving/gui/engine_fetches.h"
#include "saving/gui/webkit_downloads.h"

namespace quorvane {
namespace {

// How long the engine may take to begin a load before the view looks whether it is stuck
// on the page before.
constexpr int kLoadStartGraceMs = 250;

wxString FromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}

// The size of a generated page the view is sent to; 0 for an address of the web.
std::uintmax_t PageBytes(const std::string& address) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(address, error);
    return error ? 0 : bytes;
}

}  // namespace

WebViewBrowserElement::WebViewBrowserElement(wxWindow* parent, int index, Kind kind,
                                             BrowserEvents& events, std::string homePagePath,
                                             std::shared_ptr<LocalFilesFilterStore> filters,
                                             std::shared_ptr<FirstScreenCover> cover,
                                             WindowMade windowMade)
    : index_(index),
      kind_(kind),
      events_(events),
      homePagePath_(std::move(homePagePath)),
      parent_(parent),
      windowMade_(std::move(windowMade)),
      filters_(std::move(filters)),
      cover_(std::move(cover)) {
    if (kind == Kind::Browser) {
        MakeEngine();
    }
}

// A generated view's engine process costs as much memory as the rest of the program: it is
// made when the view is first shown, or first asked for what only the engine can do.
void WebViewBrowserElement::MakeEngine() {
    if (webView_ != nullptr) {
        return;
    }
    webView_ = wxWebView::New(parent_, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxWebViewBackendWebKit);
    native_ = static_cast<WebKitWebView*>(webView_->GetNativeBackend());
    MakeEngineParts();
    if (kind_ == Kind::GeneratedView) {
        SetUpGeneratedView();
    } else {
        ownPages_ = std::make_unique<OwnPages>(native_);
        copies_ = std::make_unique<EngineResourceCopies>(native_);
    }
    ConnectPageSignals();
    NewWindowRequests::Requested requested;
    if (kind_ == Kind::Browser) {
        requested = [this](const std::string& address, bool byUser) {
            events_.NewWindowRequested(index_, address, byUser);
        };
    }
    newWindows_ = std::make_unique<NewWindowRequests>(webView_, std::move(requested));
    if (windowMade_) {
        windowMade_(webView_);
    }
}

void WebViewBrowserElement::MakeEngineParts() {
    capture_ = std::make_unique<BodyCapture>(native_);
    focus_ = std::make_unique<PageFocus>(webView_, native_);
    find_ = std::make_unique<EngineFind>(native_);
    // The cover over a page not yet drawn takes every zoom of the view, so that the whole
    // page replaces it at the same size.
    zoom_ = std::make_unique<EngineZoom>(native_, [this](double level) {
        covering_->FollowPlace(level);
        events_.ZoomChanged(index_, level);
    });
    fetches_ = std::make_unique<EngineFetches>(native_);
    covering_ = std::make_unique<CoverFollower>(webView_, std::move(cover_),
                                                [this] { Do(load_.LaidOut()); });
}

void WebViewBrowserElement::ConnectPageSignals() {
    g_signal_connect(native_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
    g_signal_connect(native_, "notify::estimated-load-progress", G_CALLBACK(&OnProgress), this);
    g_signal_connect(native_, "notify::title", G_CALLBACK(&OnTitle), this);
    g_signal_connect(native_, "mouse-target-changed", G_CALLBACK(&OnMouseTarget), this);
    RoutePageKeys(native_);
    g_signal_connect(native_, "decide-policy", G_CALLBACK(&DownloadWhatCannotBeShown), nullptr);
}

// The page the view was sent to before its engine was there is loaded once the engine has
// done with the empty page wxWidgets gives it (LoadAwaited).
void WebViewBrowserElement::SetUpGeneratedView() {
    // Hidden at first: SetVisible shows it, and turns pictures on while it is shown.
    webView_->Hide();
    ApplyGeneratedViewSettings(native_);
    webkit_settings_set_auto_load_images(webkit_web_view_get_settings(native_), FALSE);
    styles_ = std::make_unique<GeneratedViewStyles>(native_);
    if (load_.DrawingHeld()) {
        styles_->HoldDrawing(true);
    }
    if (!filters_) {
        filters_ = std::make_shared<LocalFilesFilterStore>();
    }
    localFiles_ = std::make_unique<LocalFilesFilter>(native_, std::move(filters_));
    localFiles_->SetBlocked(localFilesBlocked_);
    g_signal_connect_after(native_, "size-allocate", G_CALLBACK(&OnSizeAllocated), this);
    loadStartWatch_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Do(load_.WatchRanOut()); });
    webView_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        covering_->FollowPlace(ZoomLevel());
        event.Skip();
    });
}

WebViewBrowserElement::~WebViewBrowserElement() {
    // The cover comes off while the view it lies over still follows its signals.
    covering_.reset();
    if (native_ != nullptr) {
        g_signal_handlers_disconnect_by_data(native_, this);
    }
}

void WebViewBrowserElement::LoadAddress(const std::string& address) {
    const wxString uri = FromUtf8(AddressToLoad(address));
    if (kind_ == Kind::GeneratedView && !EngineReady()) {
        awaitedAddress_ = uri;
        awaitedPath_ = address;
        awaitedLoadDue_ = true;
        Do(load_.Asked(PageBytes(address)));
        return;
    }
    // A load that must not reach local files waits until the filter can keep them out.
    if (localFiles_ && localFiles_->KeepUntilReady([this, address] { LoadAddress(address); })) {
        return;
    }
    if (ownPages_) {
        ownPages_->LoadBegins();
    }
    if (kind_ == Kind::GeneratedView) {
        awaitedAddress_ = uri;
        awaitedPath_ = address;
        awaitedLoadDue_ = false;
        Do(load_.Asked(PageBytes(address)));
    }
    // The empty page wxWebView loads at creation keeps the engine busy for a moment at
    // start; that is no page the user is waiting for.
    if (ownPages_ && !creationLoadPending_) {
        ownPages_->LoadAsked(uri.utf8_string());
    }
    webView_->LoadURL(uri);
}

// The address box's text comes here as typed; what is loaded leaves out the blanks
// around it.
void WebViewBrowserElement::Navigate(const std::string& address) {
    LoadAddress(TypedAddress(address));
}

void WebViewBrowserElement::LoadFile(const std::string& filePath) {
    LoadAddress(filePath);
}

// Had the engine begun the page asked for first while it still loaded its empty one, it could
// leave out that load's start, and the view would wait for it for ever.
bool WebViewBrowserElement::EngineReady() const {
    return webView_ != nullptr && !creationLoadPending_;
}

void WebViewBrowserElement::LoadAwaited() {
    if (!awaitedLoadDue_) {
        return;
    }
    if (localFiles_->KeepUntilReady([this] { LoadAwaited(); })) {
        return;
    }
    awaitedLoadDue_ = false;
    webView_->LoadURL(awaitedAddress_);
}

void WebViewBrowserElement::GoBack() {
    if (webView_ == nullptr || !webView_->CanGoBack()) {
        throw BrowserError("There is no earlier page in this view's history.");
    }
    webView_->GoBack();
}

void WebViewBrowserElement::GoForward() {
    if (webView_ == nullptr || !webView_->CanGoForward()) {
        throw BrowserError("There is no later page in this view's history.");
    }
    webView_->GoForward();
}

void WebViewBrowserElement::GoHome() {
    LoadAddress(homePagePath_);
}

void WebViewBrowserElement::Stop() {
    if (webView_ == nullptr) {
        return;
    }
    if (ownPages_) {
        ownPages_->StopAsked();
    }
    webView_->Stop();
}

void WebViewBrowserElement::Refresh() {
    if (webView_ == nullptr) {
        return;
    }
    if (ownPages_) {
        ownPages_->LoadAsked(Address());
    }
    webView_->Reload();
}

// A view without its engine is at the page it will load when it has one.
std::string WebViewBrowserElement::Address() const {
    return webView_ ? webView_->GetCurrentURL().utf8_string() : awaitedAddress_.utf8_string();
}

std::string WebViewBrowserElement::Title() const {
    return webView_ ? webView_->GetCurrentTitle().utf8_string() : std::string();
}

std::string WebViewBrowserElement::OwnPageStatus() const {
    return ownPages_ ? ownPages_->Status() : std::string();
}

bool WebViewBrowserElement::Visible() const {
    return webView_ != nullptr && webView_->IsShown();
}

// A generated view fetches its pictures only while the user can see it: a hidden Images
// view would otherwise download every picture of every page, competing with the views the
// user looks at. Shown, it loads them in place.
void WebViewBrowserElement::SetVisible(bool visible) {
    if (visible) {
        MakeEngine();
    }
    if (webView_ != nullptr) {
        webView_->Show(visible);
    }
    if (kind_ == Kind::GeneratedView) {
        if (native_ != nullptr) {
            webkit_settings_set_auto_load_images(webkit_web_view_get_settings(native_), visible);
        }
        Do(load_.ShownChanged(visible));
    }
}

void WebViewBrowserElement::SetLocalFilesBlocked(bool blocked) {
    localFilesBlocked_ = blocked;
    if (localFiles_) {
        localFiles_->SetBlocked(blocked);
    }
}

void WebViewBrowserElement::SetPreparing(bool preparing) {
    if (kind_ == Kind::GeneratedView) {
        Do(load_.Preparing(preparing));
    }
}

bool WebViewBrowserElement::Busy() const {
    return webView_ != nullptr && webView_->IsBusy();
}

double WebViewBrowserElement::ZoomLevel() const {
    return zoom_ ? zoom_->Level() : kActualSize;
}

void WebViewBrowserElement::SetZoomLevel(double level) {
    MakeEngine();
    zoom_->SetLevel(level);
}

void WebViewBrowserElement::CaptureBodyHtml(CaptureDone done) {
    MakeEngine();
    capture_->Capture(std::move(done));
}

// wxWebView loads an empty page of its own when it is created, which nobody asked for and
// which raises no event: no analysis runs on it at start. It ends before anything asked for
// later begins; should it never come, the first page of ours to commit ends the wait.
bool WebViewBrowserElement::InCreationLoad(int loadEvent, const char* uri) {
    if (!creationLoadPending_) {
        return false;
    }
    const bool blank = uri == nullptr || *uri == '\0' || std::string_view(uri) == "about:blank";
    if (loadEvent == WEBKIT_LOAD_FINISHED || (loadEvent == WEBKIT_LOAD_COMMITTED && !blank)) {
        creationLoadPending_ = false;
        return loadEvent == WEBKIT_LOAD_FINISHED;
    }
    return true;
}

void WebViewBrowserElement::Find(const std::string& text, bool matchCase, unsigned maxMatches,
                                 FindDone found) {
    MakeEngine();
    find_->Find(text, matchCase, maxMatches, std::move(found), load_.HoldFind());
}

void WebViewBrowserElement::WatchImages(ImagesReported reported, std::function<void()> newPage) {
    MakeEngine();
    images_ =
        std::make_unique<EngineImageGatherer>(native_, std::move(reported), std::move(newPage));
}

void WebViewBrowserElement::GatherImagesAgain() {
    if (images_) {
        images_->GatherAgain();
    }
}

void WebViewBrowserElement::FindNext() {
    if (find_) {
        find_->Next();
    }
}

void WebViewBrowserElement::FindPrevious() {
    if (find_) {
        find_->Previous();
    }
}

void WebViewBrowserElement::EndFind() {
    load_.EndFind();
    if (find_) {
        find_->End();
    }
}

void WebViewBrowserElement::Fetch(const std::string& address, const std::string& filePath,
                                  FetchDone done) {
    MakeEngine();
    fetches_->Fetch(address, filePath, std::move(done));
}

void WebViewBrowserElement::CancelFetches() {
    if (fetches_) {
        fetches_->CancelAll();
    }
}

void WebViewBrowserElement::OnLoadChanged(WebKitWebView* view, int loadEvent, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    // Before the creation load is left out: the start page's own load may begin in it.
    if (element->ownPages_) {
        element->ownPages_->LoadChanged(loadEvent);
    }
    if (element->InCreationLoad(loadEvent, webkit_web_view_get_uri(view))) {
        if (element->EngineReady() && element->kind_ == Kind::GeneratedView) {
            element->LoadAwaited();
        }
        return;
    }
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        element->loadStartWatch_.Stop();
        element->Do(element->load_.Started());
        const gchar* uri = webkit_web_view_get_uri(view);
        element->events_.StatusTextChange(element->index_,
                                          std::string("Opening ") + (uri ? uri : "") + "...");
    } else if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        if (element->ownPages_) {
            element->ownPages_->Committed();
        }
        // A new document is in place, so the element's title is that document's now. WebKit
        // raises no title notification when it equals the one before (two pages without a
        // title), which would leave the old page's address in the box.
        const gchar* title = webkit_web_view_get_title(view);
        element->events_.TitleChange(element->index_, title ? title : "");
    } else if (loadEvent == WEBKIT_LOAD_FINISHED) {
        // WebKit ends every load here, after load-failed too when it failed or was stopped.
        element->Do(element->load_.Finished());
        element->events_.StatusTextChange(element->index_, "Done");
        element->events_.LoadFinished(element->index_);
    }
}

void WebViewBrowserElement::Do(const GeneratedViewLoad::Actions& actions) {
    // Without its engine the view only follows its page life; the engine is made to match.
    if (webView_ == nullptr) {
        return;
    }
    if (actions.holdDrawing) {
        styles_->HoldDrawing(true);
    }
    if (actions.startWatch) {
        loadStartWatch_.StartOnce(kLoadStartGraceMs);
    }
    // The engine process is still busy with the page before, which the view no longer
    // needs: the view gets a fresh one, and the load goes there.
    if (actions.endEngineProcess) {
        webkit_web_view_terminate_web_process(native_);
        webView_->LoadURL(awaitedAddress_);
    }
    if (actions.releaseDrawing) {
        styles_->HoldDrawing(false);
    }
    if (actions.runHeldFind) {
        find_->RunHeld();
    }
    if (actions.watchLayout) {
        covering_->WatchLayout();
    }
    covering_->Follow(load_.Covered(), awaitedPath_, ZoomLevel(), localFilesBlocked_);
}

// A view shown for the first time has its width only once GTK has allocated it.
void WebViewBrowserElement::OnSizeAllocated(GtkWidget* view, void*, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    element->Do(element->load_.WidthChanged(gtk_widget_get_allocated_width(view) > 1));
}

void WebViewBrowserElement::OnProgress(WebKitWebView* view, void*, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    if (element->creationLoadPending_) {
        return;
    }
    const double progress = webkit_web_view_get_estimated_load_progress(view);
    element->events_.ProgressChange(element->index_, static_cast<std::int32_t>(progress * 100),
                                    100);
}

void WebViewBrowserElement::OnTitle(WebKitWebView* view, void*, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    const gchar* title = webkit_web_view_get_title(view);
    element->events_.TitleChange(element->index_, title ? title : "");
}

void WebViewBrowserElement::OnMouseTarget(WebKitWebView*, void* hitTest, unsigned, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    auto* hit = static_cast<WebKitHitTestResult*>(hitTest);
    std::string text;
    if (webkit_hit_test_result_context_is_link(hit)) {
        const gchar* uri = webkit_hit_test_result_get_link_uri(hit);
        text = uri ? uri : "";
    }
    if (text != element->lastStatusText_) {
        element->lastStatusText_ = text;
        element->events_.StatusTextChange(element->index_, text);
    }
}

void WebViewBrowserElement::FocusPage() {
    MakeEngine();
    focus_->Take();
}

}  // namespace quorvane

#include "engine/gui/webview_browser_element.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "engine/address_to_load.h"
#include "engine/gui/engine_answer_guard.h"
#include "engine/gui/engine_find.h"
#include "engine/gui/engine_image_gatherer.h"
#include "engine/gui/local_files_filter.h"
#include "engine/gui/wheel_zoom.h"
#include "engine/load_failure.h"
#include "saving/gui/webkit_downloads.h"

namespace quorvane {
namespace {

// Runs in a script world of its own, so a page that redefines the DOM's getters for
// its own scripts cannot change what we capture.
constexpr const char* kCaptureScript = "document.body ? document.body.outerHTML : null";
constexpr const char* kCaptureWorld = "quorvane-capture";

// The generated views show plain text and addresses, which need neither kerning nor
// ligatures; without them the engine lays text out faster. They take the desktop's light
// or dark style, which the work files themselves leave open.
constexpr const char* kPlainTextStyle =
    "* { font-kerning: none; font-variant-ligatures: none; } :root { color-scheme: light dark; }";
// What a stopped page that the engine would not let go of shows: nothing of the page.
constexpr const char* kStoppedPage = "<!DOCTYPE html><html><head><title></title></head></html>";
constexpr unsigned kMiddleButton = 2;
// A generated view draws nothing of a page while it holds it back (GeneratedViewLoad).
constexpr const char* kHoldDrawingStyle = ":root { display: none !important; }";
// How long the engine may take to begin a load before the view looks whether it is stuck
// on the page before.
constexpr int kLoadStartGraceMs = 250;

WebKitUserStyleSheet* NewUserStyleSheet(const char* css) {
    return webkit_user_style_sheet_new(css, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                       WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
}

wxString FromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}

struct PendingCapture {
    BrowserElement::CaptureDone done;
};

void OnCaptured(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingCapture> capture(static_cast<PendingCapture*>(data));
    GError* error = nullptr;
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (error != nullptr) {
        // A cancelled capture belongs to an element that is gone: nobody may be told.
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_error_free(error);
        if (!cancelled) {
            capture->done(std::nullopt);
        }
        return;
    }
    std::optional<std::string> bodyHtml;
    if (jsc_value_is_string(value)) {
        gchar* text = jsc_value_to_string(value);
        bodyHtml = text;
        g_free(text);
    }
    g_object_unref(value);
    capture->done(std::move(bodyHtml));
}

// The window's shortcuts come before the page: the engine would otherwise keep some of
// them for itself (Alt+Left and Alt+Right do nothing inside a page). Keys that are no
// shortcut of the window go on to the page as usual.
// The size of a generated page the view is sent to; 0 for an address of the web.
std::uintmax_t PageBytes(const std::string& address) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(address, error);
    return error ? 0 : bytes;
}

gboolean OfferKeyToWindowShortcuts(GtkWidget* view, GdkEventKey* event, gpointer) {
    GtkWidget* toplevel = gtk_widget_get_toplevel(view);
    return GTK_IS_WINDOW(toplevel) && gtk_window_activate_key(GTK_WINDOW(toplevel), event);
}

}  // namespace

WebViewBrowserElement::WebViewBrowserElement(wxWindow* parent, int index, Kind kind,
                                             BrowserEvents& events, std::string homePagePath,
                                             std::shared_ptr<LocalFilesFilterStore> filters)
    : index_(index),
      kind_(kind),
      events_(events),
      homePagePath_(std::move(homePagePath)),
      webView_(wxWebView::New(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxWebViewBackendWebKit)),
      native_(static_cast<WebKitWebView*>(webView_->GetNativeBackend())),
      captures_(g_cancellable_new()),
      find_(std::make_unique<EngineFind>(native_)),
      wheelZoom_(std::make_unique<WheelZoom>(native_)),
      fetches_(std::make_unique<EngineFetches>(native_)) {
    if (kind == Kind::GeneratedView) {
        SetUpGeneratedView(std::move(filters));
    } else {
        answerGuard_ = std::make_unique<EngineAnswerGuard>(native_, [this](const std::string& uri) {
            ShowOwnPage(uri, kStoppedPage, "Stopped: " + uri + " did not answer and was closed");
        });
        g_signal_connect(native_, "load-failed", G_CALLBACK(&OnLoadFailed), this);
    }
    ConnectPageSignals();
    // In the Browser view a link or page that asks for a new window gets a new window of the
    // program; a generated view's links open in the view itself.
    if (kind == Kind::Browser) {
        webView_->Bind(wxEVT_WEBVIEW_NEWWINDOW, [this](wxWebViewEvent& event) {
            events_.NewWindowRequested(index_, event.GetURL().utf8_string(),
                                       event.GetNavigationAction() == wxWEBVIEW_NAV_ACTION_USER);
        });
        g_signal_connect(native_, "decide-policy", G_CALLBACK(&OnMiddleClick), this);
    } else {
        webView_->Bind(wxEVT_WEBVIEW_NEWWINDOW,
                       [view = webView_](wxWebViewEvent& event) { view->LoadURL(event.GetURL()); });
    }
}

void WebViewBrowserElement::ConnectPageSignals() {
    g_signal_connect(native_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
    g_signal_connect(native_, "notify::estimated-load-progress", G_CALLBACK(&OnProgress), this);
    g_signal_connect(native_, "notify::title", G_CALLBACK(&OnTitle), this);
    g_signal_connect(native_, "mouse-target-changed", G_CALLBACK(&OnMouseTarget), this);
    g_signal_connect(native_, "key-press-event", G_CALLBACK(&OfferKeyToWindowShortcuts), nullptr);
    g_signal_connect(native_, "decide-policy", G_CALLBACK(&DownloadWhatCannotBeShown), nullptr);
}

void WebViewBrowserElement::SetUpGeneratedView(std::shared_ptr<LocalFilesFilterStore> filters) {
    WebKitSettings* settings = webkit_web_view_get_settings(native_);
    webkit_settings_set_enable_javascript(settings, FALSE);
    webkit_settings_set_default_charset(settings, "UTF-8");
    // Hidden at first: SetVisible turns pictures on while the view is shown.
    webkit_settings_set_auto_load_images(settings, FALSE);
    WebKitUserStyleSheet* plainText = NewUserStyleSheet(kPlainTextStyle);
    webkit_user_content_manager_add_style_sheet(webkit_web_view_get_user_content_manager(native_),
                                                plainText);
    webkit_user_style_sheet_unref(plainText);
    holdDrawing_ = NewUserStyleSheet(kHoldDrawingStyle);
    if (!filters) {
        filters = std::make_shared<LocalFilesFilterStore>();
    }
    localFiles_ = std::make_unique<LocalFilesFilter>(native_, std::move(filters));
    g_signal_connect_after(native_, "size-allocate", G_CALLBACK(&OnSizeAllocated), this);
    loadStartWatch_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Do(load_.WatchRanOut()); });
}

WebViewBrowserElement::~WebViewBrowserElement() {
    g_signal_handlers_disconnect_by_data(native_, this);
    g_cancellable_cancel(captures_);
    g_object_unref(captures_);
    if (holdDrawing_ != nullptr) {
        webkit_user_style_sheet_unref(holdDrawing_);
    }
}

void WebViewBrowserElement::LoadAddress(const std::string& address) {
    // A load that must not reach local files waits until the filter can keep them out.
    if (localFiles_ && localFiles_->KeepUntilReady([this, address] { LoadAddress(address); })) {
        return;
    }
    comingOwnPageStatus_.reset();
    const wxString uri = FromUtf8(AddressToLoad(address));
    if (kind_ == Kind::GeneratedView) {
        awaitedAddress_ = uri;
        Do(load_.Asked(PageBytes(address)));
    }
    // The empty page wxWebView loads at creation keeps the engine busy for a moment at
    // start; that is no page the user is waiting for.
    if (answerGuard_ && !creationLoadPending_) {
        answerGuard_->LoadAsked(uri.utf8_string());
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

void WebViewBrowserElement::GoBack() {
    if (!webView_->CanGoBack()) {
        throw BrowserError("There is no earlier page in this view's history.");
    }
    webView_->GoBack();
}

void WebViewBrowserElement::GoForward() {
    if (!webView_->CanGoForward()) {
        throw BrowserError("There is no later page in this view's history.");
    }
    webView_->GoForward();
}

void WebViewBrowserElement::GoHome() {
    LoadAddress(homePagePath_);
}

void WebViewBrowserElement::Stop() {
    if (answerGuard_) {
        answerGuard_->StopAsked();
    }
    webView_->Stop();
}

void WebViewBrowserElement::Refresh() {
    if (answerGuard_) {
        answerGuard_->LoadAsked(Address());
    }
    webView_->Reload();
}

std::string WebViewBrowserElement::Address() const {
    return webView_->GetCurrentURL().utf8_string();
}

std::string WebViewBrowserElement::Title() const {
    return webView_->GetCurrentTitle().utf8_string();
}

bool WebViewBrowserElement::Visible() const {
    return webView_->IsShown();
}

// A generated view fetches its pictures only while the user can see it: a hidden Images
// view would otherwise download every picture of every page, competing with the views the
// user looks at. Shown, it loads them in place.
void WebViewBrowserElement::SetVisible(bool visible) {
    webView_->Show(visible);
    if (kind_ == Kind::GeneratedView) {
        webkit_settings_set_auto_load_images(webkit_web_view_get_settings(native_), visible);
        Do(load_.ShownChanged(visible));
    }
}

void WebViewBrowserElement::SetLocalFilesBlocked(bool blocked) {
    if (localFiles_) {
        localFiles_->SetBlocked(blocked);
    }
}

bool WebViewBrowserElement::Busy() const {
    return webView_->IsBusy();
}

void WebViewBrowserElement::CaptureBodyHtml(CaptureDone done) {
    webkit_web_view_evaluate_javascript(native_, kCaptureScript, -1, kCaptureWorld, nullptr,
                                        captures_, &OnCaptured,
                                        new PendingCapture{std::move(done)});
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
    find_->Find(text, matchCase, maxMatches, std::move(found), load_.HoldFind());
}

void WebViewBrowserElement::WatchImages(ImagesReported reported, std::function<void()> newPage) {
    images_ =
        std::make_unique<EngineImageGatherer>(native_, std::move(reported), std::move(newPage));
}

void WebViewBrowserElement::GatherImagesAgain() {
    if (images_) {
        images_->GatherAgain();
    }
}

void WebViewBrowserElement::FindNext() {
    find_->Next();
}

void WebViewBrowserElement::FindPrevious() {
    find_->Previous();
}

void WebViewBrowserElement::EndFind() {
    load_.EndFind();
    find_->End();
}

void WebViewBrowserElement::Fetch(const std::string& address, const std::string& filePath,
                                  FetchDone done) {
    fetches_->Fetch(address, filePath, std::move(done));
}

void WebViewBrowserElement::CancelFetches() {
    fetches_->CancelAll();
}

void WebViewBrowserElement::OnLoadChanged(WebKitWebView* view, int loadEvent, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    // Before the creation load is left out: the start page's own load may begin in it.
    if (element->answerGuard_) {
        element->answerGuard_->LoadChanged(loadEvent);
    }
    if (element->InCreationLoad(loadEvent, webkit_web_view_get_uri(view))) {
        return;
    }
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        element->loadStartWatch_.Stop();
        element->Do(element->load_.Started());
        const gchar* uri = webkit_web_view_get_uri(view);
        element->events_.StatusTextChange(element->index_,
                                          std::string("Opening ") + (uri ? uri : "") + "...");
    } else if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        element->ownPageStatus_ = element->comingOwnPageStatus_.value_or("");
        element->comingOwnPageStatus_.reset();
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

// A middle click on a link opens it in a new window, as in other desktop browsers.
int WebViewBrowserElement::OnMiddleClick(WebKitWebView*, WebKitPolicyDecision* decision, int type,
                                         void* self) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
        type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        return FALSE;
    }
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    if (webkit_navigation_action_get_mouse_button(action) != kMiddleButton ||
        webkit_navigation_action_get_navigation_type(action) !=
            WEBKIT_NAVIGATION_TYPE_LINK_CLICKED) {
        return FALSE;
    }
    auto* element = static_cast<WebViewBrowserElement*>(self);
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    webkit_policy_decision_ignore(decision);
    element->events_.NewWindowRequested(element->index_, uri != nullptr ? uri : "", true);
    return TRUE;
}

void WebViewBrowserElement::ShowOwnPage(const std::string& uri, const std::string& html,
                                        const std::string& status) {
    comingOwnPageStatus_ = status;
    webkit_web_view_load_alternate_html(native_, html.c_str(), uri.c_str(), nullptr);
}

// A page that cannot be opened gets a page that says why, at its own address; a load the
// user or the engine ended on purpose (Stop, a download, a newer load) gets none.
int WebViewBrowserElement::OnLoadFailed(WebKitWebView*, int, const char* failingUri, GError* error,
                                        void* self) {
    if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
        error->domain == WEBKIT_POLICY_ERROR || error->domain == WEBKIT_PLUGIN_ERROR ||
        failingUri == nullptr) {
        return FALSE;
    }
    auto* element = static_cast<WebViewBrowserElement*>(self);
    const std::string reason =
        LoadFailureReason({g_quark_to_string(error->domain), error->code, error->message});
    element->ShowOwnPage(failingUri, ErrorPageHtml(failingUri, reason),
                         LoadFailureMessage(failingUri, reason));
    return TRUE;
}

void WebViewBrowserElement::Do(const GeneratedViewLoad::Actions& actions) {
    if (actions.holdDrawing) {
        SetDrawingHeld(true);
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
        SetDrawingHeld(false);
    }
    if (actions.runHeldFind) {
        find_->RunHeld();
    }
}

void WebViewBrowserElement::SetDrawingHeld(bool held) {
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(native_);
    if (held) {
        webkit_user_content_manager_add_style_sheet(manager, holdDrawing_);
    } else {
        webkit_user_content_manager_remove_style_sheet(manager, holdDrawing_);
    }
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

double WebViewBrowserElement::ZoomLevel() const {
    return webkit_web_view_get_zoom_level(native_);
}

void WebViewBrowserElement::SetZoomLevel(double level) {
    webkit_web_view_set_zoom_level(native_, level);
}

}  // namespace quorvane

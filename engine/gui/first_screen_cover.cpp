#include "engine/gui/first_screen_cover.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <fstream>
#include <utility>

#include "engine/address_to_load.h"
#include "engine/generated_view_load.h"
#include "engine/gui/denied_new_views.h"
#include "engine/gui/generated_view_settings.h"
#include "engine/gui/generated_view_styles.h"
#include "engine/gui/laid_out_watch.h"
#include "engine/gui/local_files_filter.h"
#include "engine/gui/preparing_line.h"
#include "engine/page_prefix.h"

namespace quorvane {

namespace {

// The start of the file, a byte more than a first screen may take, so that the cut knows
// whether there is more; empty when it cannot be read.
std::string FileStart(const std::string& path) {
    std::string text(GeneratedViewLoad::kFirstScreenBytes + 1, '\0');
    std::ifstream file(path, std::ios::binary);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

}  // namespace

FirstScreenCover::FirstScreenCover(wxWindow* parent, std::shared_ptr<LocalFilesFilterStore> filters)
    : parent_(parent), filters_(std::move(filters)), preparingLine_(new PreparingLine(parent)) {}

FirstScreenCover::~FirstScreenCover() {
    if (native_ != nullptr) {
        g_signal_handlers_disconnect_by_data(native_, this);
    }
}

// A view made after the cover's web view would lie over it: the web view is made again,
// after the view, the next time a first screen is shown (it is not shown now, as the view
// made is the one shown).
void FirstScreenCover::ViewMade() {
    webViewUnderAView_ = webView_ != nullptr;
}

// The engine process of the cover is made only when a view first needs it.
void FirstScreenCover::Make() {
    if (webViewUnderAView_) {
        Unmake();
    }
    if (webView_ != nullptr) {
        return;
    }
    webView_ = wxWebView::New(parent_, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxWebViewBackendWebKit);
    webView_->Hide();
    DenyNewViews(webView_);
    native_ = static_cast<WebKitWebView*>(webView_->GetNativeBackend());
    ApplyGeneratedViewSettings(native_);
    // The generated views' own style, so that the first screen is drawn as theirs.
    GeneratedViewStyles::AddPlainText(native_);
    localFiles_ = std::make_unique<LocalFilesFilter>(native_, filters_);
    shown_ = std::make_unique<LaidOutWatch>(native_);
    g_signal_connect(native_, "decide-policy", G_CALLBACK(&OnDecidePolicy), this);
    g_signal_connect(native_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
    webView_->Bind(wxEVT_WEBVIEW_NEWWINDOW, [this](wxWebViewEvent& event) {
        if (covered_.followLink) {
            covered_.followLink(event.GetURL().utf8_string());
        }
    });
}

void FirstScreenCover::Unmake() {
    webViewUnderAView_ = false;
    g_signal_handlers_disconnect_by_data(native_, this);
    shown_.reset();
    localFiles_.reset();
    webView_->Destroy();
    webView_ = nullptr;
    native_ = nullptr;
}

void FirstScreenCover::ShowFirstScreen(Covered covered, const std::string& filePath) {
    const std::string start = FileStart(filePath);
    ShowFirstScreen(std::move(covered),
                    std::string(PagePrefix(start, GeneratedViewLoad::kFirstScreenBytes)), filePath);
}

// The web view goes under the line, where its engine process draws the first screen; the
// line comes off once that picture is in the web view. The same first screen over the same
// view stays as it is, so that the one expected before the page was made is not drawn again.
void FirstScreenCover::ShowFirstScreen(Covered covered, const std::string& html,
                                       const std::string& filePath) {
    const std::string uri = AddressToLoad(filePath);
    if (webView_ != nullptr && !webViewUnderAView_ && webView_->IsShown() &&
        covered.view == covered_.view && covered.localFilesBlocked == covered_.localFilesBlocked &&
        html == shownHtml_ && uri == shownUri_) {
        covered_ = std::move(covered);
        webkit_web_view_set_zoom_level(native_, covered_.zoomLevel);
        return;
    }
    Make();
    Place(std::move(covered));
    webkit_web_view_set_zoom_level(native_, covered_.zoomLevel);
    webView_->SetSize(covered_.view->GetRect());
    webView_->Show();
    localFiles_->SetBlocked(covered_.localFilesBlocked);
    shown_->Cancel();
    awaitedUri_ = uri;
    shownHtml_ = html;
    shownUri_ = uri;
    LoadHtml(html, uri);
}

void FirstScreenCover::ShowPreparingLine(Covered covered) {
    Place(std::move(covered));
    PutAwayFirstScreen();
}

void FirstScreenCover::Uncover(const wxWindow* view) {
    if (view != covered_.view) {
        return;
    }
    covered_ = {nullptr, 1.0, true, {}};
    preparingLine_->Hide();
    PutAwayFirstScreen();
}

void FirstScreenCover::Follow(const wxWindow* view, double zoomLevel) {
    if (view != covered_.view) {
        return;
    }
    covered_.zoomLevel = zoomLevel;
    preparingLine_->SetSize(view->GetRect());
    if (webView_ != nullptr) {
        webView_->SetSize(view->GetRect());
        webkit_web_view_set_zoom_level(native_, zoomLevel);
    }
}

// GTK draws the windows in the views' place in the order they were made, the last on top:
// the line is made anew over the view, after the first screen's web view.
void FirstScreenCover::Place(Covered covered) {
    covered_ = std::move(covered);
    preparingLine_->Destroy();
    preparingLine_ = new PreparingLine(parent_);
    preparingLine_->ShowOver(covered_.view->GetRect());
}

void FirstScreenCover::PutAwayFirstScreen() {
    if (webView_ == nullptr || !webView_->IsShown()) {
        return;
    }
    awaitedUri_.clear();
    shownHtml_.clear();
    shownUri_.clear();
    shown_->Cancel();
    webView_->Hide();
    // Nothing of the page stays in the cover's memory, nor a picture loading.
    webkit_web_view_stop_loading(native_);
    webkit_web_view_load_html(native_, "", "about:blank");
}

void FirstScreenCover::LoadHtml(const std::string& html, const std::string& baseUri) {
    // A page that must not reach local files waits until the filter can keep them out.
    if (localFiles_->KeepUntilReady([this, html, baseUri] { LoadHtml(html, baseUri); })) {
        return;
    }
    webkit_web_view_load_html(native_, html.c_str(), baseUri.c_str());
}

// The engine is given the first screen's document whole and parses it in the task that
// commits it, before it answers what it is asked next: from the commit on, the layout the
// watch asks for is of the whole first screen. The line comes off then, without waiting
// for the pictures the first screen shows to arrive, as any page shows its text first.
void FirstScreenCover::OnLoadChanged(WebKitWebView* view, int loadEvent, void* self) {
    auto* cover = static_cast<FirstScreenCover*>(self);
    const gchar* uri = webkit_web_view_get_uri(view);
    if (loadEvent != WEBKIT_LOAD_COMMITTED || cover->awaitedUri_.empty() || uri == nullptr ||
        cover->awaitedUri_ != uri) {
        return;
    }
    cover->awaitedUri_.clear();
    cover->shown_->Watch([cover] { cover->preparingLine_->Hide(); });
}

// The cover shows what we give it, never a page of its own: a link clicked in it goes to the
// view it covers.
int FirstScreenCover::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, int type,
                                     void* self) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
        return FALSE;
    }
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    if (webkit_navigation_action_get_navigation_type(action) !=
        WEBKIT_NAVIGATION_TYPE_LINK_CLICKED) {
        return FALSE;
    }
    auto* cover = static_cast<FirstScreenCover*>(self);
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    webkit_policy_decision_ignore(decision);
    if (cover->covered_.followLink && uri != nullptr) {
        cover->covered_.followLink(uri);
    }
    return TRUE;
}

}  // namespace quorvane

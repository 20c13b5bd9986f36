#include "engine/gui/webview_browser_element.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <memory>
#include <string>
#include <utility>

#include "desktop/translation.h"
#include "engine/address_to_load.h"
#include "engine/child_processes.h"
#include "engine/gui/body_capture.h"
#include "engine/gui/body_start_capture.h"
#include "engine/gui/cover_follower.h"
#include "engine/gui/deferred_load.h"
#include "engine/gui/engine_archive_reader.h"
#include "engine/gui/engine_fetches.h"
#include "engine/gui/engine_find.h"
#include "engine/gui/engine_image_gatherer.h"
#include "engine/gui/engine_resource_copies.h"
#include "engine/gui/generated_view_engine.h"
#include "engine/gui/local_files_filter.h"
#include "engine/gui/main_resource_watch.h"
#include "engine/gui/new_window_requests.h"
#include "engine/gui/own_pages.h"
#include "engine/gui/page_archive_save.h"
#include "engine/gui/page_focus.h"
#include "engine/gui/page_keys.h"
#include "engine/gui/page_reports.h"
#include "engine/gui/request_watch.h"
#include "engine/gui/resource_data.h"
#include "engine/gui/webkit_downloads.h"
#include "engine/zoom_ladder.h"

namespace quorvane {

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
        ownPages_ = std::make_unique<OwnPages>(native_, [this] { return Address(); });
        copies_ = std::make_unique<EngineResourceCopies>(native_);
        mainResource_ = std::make_unique<MainResourceWatch>(native_, [this] {
            if (!deferred_.CreationLoadPending()) {
                events_.MainResourceFinished(index_);
            }
        });
        archive_ = std::make_unique<EngineArchiveReader>(native_);
    }
    deferred_.EngineMade(webView_, localFiles_.get());
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
    find_ = std::make_unique<EngineFind>(
        native_, kind_ == Kind::GeneratedView ? EngineFind::CurrentMatchStyle::Always
                                              : EngineFind::CurrentMatchStyle::WhileSearching);
    // The cover over a page not yet drawn takes every zoom of the view, so that the whole
    // page replaces it at the same size.
    zoom_ = std::make_unique<EngineZoom>(native_, [this](double level) {
        covering_->FollowPlace(level);
        events_.ZoomChanged(index_, level);
    });
    fetches_ = std::make_unique<EngineFetches>(native_);
    covering_ = std::make_unique<CoverFollower>(webView_, std::move(cover_),
                                                [this] { CarryOutLoadActions(load_.LaidOut()); });
}

void WebViewBrowserElement::ConnectPageSignals() {
    g_signal_connect(native_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
    reports_ = std::make_unique<PageReports>(native_, events_, index_, deferred_);
    RoutePageKeys(native_);
    g_signal_connect(native_, "decide-policy", G_CALLBACK(&DownloadWhatCannotBeShown), nullptr);
}

void WebViewBrowserElement::SetUpGeneratedView() {
    // Hidden at first: SetVisible shows it, and turns pictures on while it is shown.
    webView_->Hide();
    generated_ = std::make_unique<GeneratedViewEngine>(
        native_, load_.DrawingHeld(),
        GeneratedViewEngine::Told{
            [this](bool hasWidth) { CarryOutLoadActions(load_.WidthChanged(hasWidth)); },
            [this] { CarryOutLoadActions(load_.WatchRanOut()); },
            [this] { LoadAddress(deferred_.SentAddress()); }});
    if (!filters_) {
        filters_ = std::make_shared<LocalFilesFilterStore>();
    }
    localFiles_ = std::make_unique<LocalFilesFilter>(native_, std::move(filters_));
    localFiles_->SetBlocked(localFilesBlocked_);
    webView_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        covering_->FollowPlace(ZoomLevel());
        event.Skip();
    });
}

WebViewBrowserElement::~WebViewBrowserElement() {
    // The cover comes off while the view it lies over still follows its signals; after it,
    // no late load start or new width may ask the page life for what the cover would do.
    covering_.reset();
    generated_.reset();
    if (native_ != nullptr) {
        g_signal_handlers_disconnect_by_data(native_, this);
    }
}

void WebViewBrowserElement::LoadAddress(const std::string& address) {
    const wxString uri = wxString::FromUTF8(AddressToLoad(address));
    const bool deferred = kind_ == Kind::GeneratedView && !deferred_.EngineReady();
    // A load that must not reach local files waits until the filter can keep them out.
    if (!deferred && localFiles_ &&
        localFiles_->KeepUntilReady([this, address] { LoadAddress(address); })) {
        return;
    }
    if (ownPages_) {
        ownPages_->LoadBegins();
    }
    loading_ = uri.utf8_string();
    if (kind_ == Kind::GeneratedView) {
        deferred_.SentTo(uri, address, deferred);
        CarryOutLoadActions(load_.Asked(deferred_.SentPageBytes()));
    }
    if (deferred) {
        return;
    }
    // The empty page wxWebView loads at creation keeps the engine busy for a moment at
    // start; that is no page the user is waiting for.
    if (ownPages_ && !deferred_.CreationLoadPending()) {
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

void WebViewBrowserElement::GoBack() {
    if (webView_ == nullptr || !webView_->CanGoBack()) {
        throw BrowserError(Translated("There is no earlier page in this view's history."));
    }
    webView_->GoBack();
}

void WebViewBrowserElement::GoForward() {
    if (webView_ == nullptr || !webView_->CanGoForward()) {
        throw BrowserError(Translated("There is no later page in this view's history."));
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

// Until the page asked for commits, the engine may still name the empty page it was made
// with (a window started on an address whose server has not answered yet).
std::string WebViewBrowserElement::Address() const {
    std::string shown = deferred_.Address();
    if (!loading_.empty() && (shown.empty() || shown == "about:blank")) {
        return loading_;
    }
    return shown;
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

void WebViewBrowserElement::SetVisible(bool visible) {
    if (visible) {
        MakeEngine();
    }
    if (webView_ != nullptr) {
        webView_->Show(visible);
    }
    if (kind_ == Kind::GeneratedView) {
        if (generated_) {
            generated_->LoadPictures(visible);
        }
        CarryOutLoadActions(load_.ShownChanged(visible));
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
        prepared_ = {};
        CarryOutLoadActions(load_.Preparing(preparing));
    }
}

void WebViewBrowserElement::SetPreparedFirstScreen(std::string html, std::string filePath,
                                                   bool localFilesBlocked) {
    if (kind_ == Kind::GeneratedView) {
        prepared_ = {std::move(html), std::move(filePath), localFilesBlocked};
        CarryOutLoadActions(load_.FirstScreenPrepared());
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

void WebViewBrowserElement::CaptureBodyStart(std::size_t chars, CaptureDone done) {
    MakeEngine();
    quorvane::CaptureBodyStart(native_, capture_->Cancellable(), chars, std::move(done));
}

void WebViewBrowserElement::ReadMainResourceCopy(ResourceDone done) {
    MakeEngine();
    ReadMainResource(native_, capture_->Cancellable(), std::move(done));
}

void WebViewBrowserElement::SavePageArchive(const std::string& filePath, ArchiveDone done) {
    MakeEngine();
    quorvane::SavePageArchive(native_, capture_->Cancellable(), filePath, std::move(done));
}

ArchiveCopies* WebViewBrowserElement::ShownArchive() const {
    return archive_ && archive_->Copies().ShowsArchive() ? &archive_->Copies() : nullptr;
}

// The engine keeps a copy of each file of a page saved whole that it loaded from the
// archive, as of any page; the archive answers for one it kept none of.
void WebViewBrowserElement::ReadCopy(const std::string& address, CopyDone done) {
    if (!copies_) {
        done(std::nullopt);
        return;
    }
    if (ShownArchive() == nullptr) {
        copies_->Read(address, std::move(done));
        return;
    }
    copies_->Read(address,
                  [this, address, done = std::move(done)](std::optional<ServedResource> copy) {
                      ArchiveCopies* archive = ShownArchive();
                      if (copy || archive == nullptr) {
                          done(std::move(copy));
                          return;
                      }
                      archive->Read(address, done);
                  });
}

void WebViewBrowserElement::AwaitLoad(const std::string& address, std::chrono::milliseconds wait,
                                      LoadEnded ended) {
    if (ArchiveCopies* archive = ShownArchive()) {
        archive->AwaitLoad(address, std::move(ended));
        return;
    }
    copies_ ? copies_->AwaitLoad(address, wait, std::move(ended)) : ended(false);
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

// Only the Browser view's page is the user's: the generated views' requests are the
// program's own.
void WebViewBrowserElement::WatchRequests(RequestEvents& events) {
    if (kind_ == Kind::Browser) {
        requests_.reset();
        requests_ = std::make_unique<RequestWatch>(native_, events);
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

FileFetcher::FetchId WebViewBrowserElement::Fetch(const std::string& address,
                                                  const std::string& filePath, FetchDone done) {
    MakeEngine();
    const FetchId id = ++lastFetch_;
    // A page saved whole is shown with the network untouched: its files come from it.
    if (ArchiveCopies* archive = ShownArchive()) {
        archive->Fetch(id, address, filePath, std::move(done));
    } else {
        fetches_->Fetch(id, address, filePath, std::move(done));
    }
    return id;
}

void WebViewBrowserElement::CancelFetch(FetchId fetch) {
    if (archive_) {
        archive_->Copies().CancelFetch(fetch);
    }
    if (fetches_) {
        fetches_->Cancel(fetch);
    }
}

void WebViewBrowserElement::OnLoadChanged(WebKitWebView* view, int loadEvent, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    // The page may be in a process the engine has just started.
    if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        EndEngineRealTimeThreads();
    }
    // Before the creation load is left out: the start page's own load may begin in it.
    if (element->ownPages_) {
        element->ownPages_->LoadChanged(loadEvent);
    }
    if (element->deferred_.InCreationLoad(loadEvent, webkit_web_view_get_uri(view))) {
        return;
    }
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        if (element->generated_) {
            element->generated_->LoadStarted();
        }
        element->CarryOutLoadActions(element->load_.Started());
        element->reports_->ReportLoadStart(element->Address());
    } else if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        element->loading_.clear();
        if (element->ownPages_) {
            element->ownPages_->Committed();
        }
        // A new document is in place, so the element's title is that document's now. WebKit
        // raises no title notification when it equals the one before (two pages without a
        // title), which would leave the old page's address in the box.
        element->reports_->ReportTitle();
    } else if (loadEvent == WEBKIT_LOAD_FINISHED) {
        // WebKit ends every load here, after load-failed too when it failed or was stopped.
        element->loading_.clear();
        element->CarryOutLoadActions(element->load_.Finished());
        element->reports_->ReportLoadEnd();
        element->events_.LoadFinished(element->index_);
    }
}

void WebViewBrowserElement::CarryOutLoadActions(const GeneratedViewLoad::Actions& actions) {
    // Without its engine the view only follows its page life; the engine is made to match.
    if (webView_ == nullptr) {
        return;
    }
    if (actions.holdDrawing) {
        generated_->HoldDrawing(true);
    }
    if (actions.startWatch) {
        generated_->WatchLoadStart();
    }
    // The engine process is still busy with the page before, which the view no longer
    // needs: the view gets a fresh one, and the load goes there.
    if (actions.endEngineProcess) {
        webkit_web_view_terminate_web_process(native_);
        webView_->LoadURL(deferred_.SentUri());
    }
    if (actions.releaseDrawing) {
        generated_->HoldDrawing(false);
    }
    if (actions.runHeldFind) {
        find_->RunHeld();
    }
    if (actions.watchLayout) {
        covering_->WatchLayout();
    }
    covering_->Follow(load_.Covered(), deferred_.SentAddress(), prepared_, ZoomLevel(),
                      localFilesBlocked_);
}

void WebViewBrowserElement::FocusPage() {
    MakeEngine();
    focus_->Take();
}

}  // namespace quorvane

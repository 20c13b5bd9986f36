#include "engine/gui/cover_follower.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <utility>

#include "engine/gui/first_screen_cover.h"

namespace quorvane {
namespace {

struct LayoutWatch {
    CoverFollower* follower;
    std::weak_ptr<int> current;  // expired once the follower or a newer watch replaced it
};

}  // namespace

CoverFollower::CoverFollower(wxWebView* view, std::shared_ptr<FirstScreenCover> cover,
                             std::function<void()> laidOut)
    : view_(view),
      cover_(std::move(cover)),
      laidOut_(std::move(laidOut)),
      drawing_(GTK_WIDGET(view->GetNativeBackend())) {}

CoverFollower::~CoverFollower() {
    if (cover_) {
        cover_->Uncover(view_);
    }
}

void CoverFollower::Follow(GeneratedViewLoad::Cover wanted, const std::string& pagePath,
                           double zoomLevel, bool localFilesBlocked) {
    using Cover = GeneratedViewLoad::Cover;
    const std::string path = wanted == Cover::FirstScreen ? pagePath : std::string();
    if (!cover_ || (wanted == covered_ && path == coveredPath_)) {
        return;
    }
    covered_ = wanted;
    coveredPath_ = path;
    const FirstScreenCover::Covered covered{
        view_, zoomLevel, localFilesBlocked, [view = view_](const std::string& address) {
            view->LoadURL(wxString::FromUTF8(address.data(), address.size()));
        }};
    if (wanted == Cover::None) {
        cover_->Uncover(view_);
    } else if (wanted == Cover::PreparingLine) {
        cover_->ShowPreparingLine(covered);
    } else {
        cover_->ShowFirstScreen(covered, path);
    }
}

void CoverFollower::FollowPlace(double zoomLevel) {
    if (cover_) {
        cover_->Follow(view_, zoomLevel);
    }
}

// A picture of the visible part is drawn only from a laid-out page: its answer says the
// whole page is ready to take the first screen's place.
void CoverFollower::WatchLayout() {
    drawing_.Cancel();
    layoutWatch_ = std::make_shared<int>(0);
    auto* watch = new LayoutWatch{this, layoutWatch_};
    webkit_web_view_get_snapshot(static_cast<WebKitWebView*>(view_->GetNativeBackend()),
                                 WEBKIT_SNAPSHOT_REGION_VISIBLE, WEBKIT_SNAPSHOT_OPTIONS_NONE,
                                 nullptr, &OnLaidOut, watch);
}

void CoverFollower::OnLaidOut(GObject* view, GAsyncResult* result, void* watch) {
    const std::unique_ptr<LayoutWatch> answered(static_cast<LayoutWatch*>(watch));
    GError* error = nullptr;
    cairo_surface_t* picture =
        webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(view), result, &error);
    if (picture != nullptr) {
        cairo_surface_destroy(picture);
    }
    if (error != nullptr) {
        g_error_free(error);
    }
    // The follower may be gone, or the answer late, for an older page.
    if (answered->current.expired()) {
        return;
    }
    // The engine answers before it gives the view the picture of the laid-out page: until
    // then the view would show an empty page where the cover was.
    CoverFollower* follower = answered->follower;
    follower->drawing_.Watch(follower->laidOut_);
}

}  // namespace quorvane

#include "engine/gui/cover_follower.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <utility>

#include "engine/gui/first_screen_cover.h"

namespace quorvane {

CoverFollower::CoverFollower(wxWebView* view, std::shared_ptr<FirstScreenCover> cover,
                             std::function<void()> laidOut)
    : view_(view),
      cover_(std::move(cover)),
      laidOut_(std::move(laidOut)),
      layout_(static_cast<WebKitWebView*>(view->GetNativeBackend())) {
    if (cover_) {
        cover_->ViewMade();
    }
}

CoverFollower::~CoverFollower() {
    if (cover_) {
        cover_->Uncover(view_);
    }
}

void CoverFollower::Follow(GeneratedViewLoad::Cover wanted, const std::string& pagePath,
                           const PreparedFirstScreen& prepared, double zoomLevel,
                           bool localFilesBlocked) {
    using Cover = GeneratedViewLoad::Cover;
    const std::string path = wanted == Cover::FirstScreen           ? pagePath
                             : wanted == Cover::PreparedFirstScreen ? prepared.filePath
                                                                    : std::string();
    if (!cover_ || (wanted == covered_ && path == coveredPath_)) {
        return;
    }
    covered_ = wanted;
    coveredPath_ = path;
    // The page prepared is not the view's yet: its local files are blocked as its own will be.
    const FirstScreenCover::Covered covered{
        view_, zoomLevel,
        wanted == Cover::PreparedFirstScreen ? prepared.localFilesBlocked : localFilesBlocked,
        [view = view_](const std::string& address) {
            view->LoadURL(wxString::FromUTF8(address.data(), address.size()));
        }};
    if (wanted == Cover::None) {
        cover_->Uncover(view_);
    } else if (wanted == Cover::PreparingLine) {
        cover_->ShowPreparingLine(covered);
    } else if (wanted == Cover::PreparedFirstScreen) {
        cover_->ShowFirstScreen(covered, prepared.html, path);
    } else {
        cover_->ShowFirstScreen(covered, path);
    }
}

void CoverFollower::FollowPlace(double zoomLevel) {
    if (cover_) {
        cover_->Follow(view_, zoomLevel);
    }
}

void CoverFollower::WatchLayout() {
    layout_.Watch(laidOut_);
}

}  // namespace quorvane

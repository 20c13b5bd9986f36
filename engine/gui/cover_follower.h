#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/generated_view_load.h"
#include "engine/gui/laid_out_watch.h"

class wxWebView;

namespace quorvane {

class FirstScreenCover;

// The first screen a page being prepared is expected to have, and what the page will be.
struct PreparedFirstScreen {
    std::string html;
    std::string filePath;
    bool localFilesBlocked = true;
};

// A generated view's side of the cover the views share: it puts the cover on, changes it or
// takes it off as the view's page life says, keeps it in the view's place and zoom, and
// tells when the engine has laid out the page that is to take the cover's place.
class CoverFollower {
  public:
    // cover: none when the views show nothing over a page not yet drawn. laidOut: the page
    // asked for by the last WatchLayout is laid out and its picture is in the view.
    CoverFollower(wxWebView* view, std::shared_ptr<FirstScreenCover> cover,
                  std::function<void()> laidOut);
    ~CoverFollower();
    CoverFollower(const CoverFollower&) = delete;
    CoverFollower& operator=(const CoverFollower&) = delete;

    // Puts on, changes or takes off the cover as the page life says; pagePath is the
    // generated page whose first screen the cover shows, prepared the one shown before it
    // is made.
    void Follow(GeneratedViewLoad::Cover wanted, const std::string& pagePath,
                const PreparedFirstScreen& prepared, double zoomLevel, bool localFilesBlocked);
    // The view was moved, resized or zoomed.
    void FollowPlace(double zoomLevel);
    // Tells laidOut once the page the view has now is laid out and on the screen.
    void WatchLayout();

  private:
    wxWebView* view_;
    std::shared_ptr<FirstScreenCover> cover_;
    std::function<void()> laidOut_;
    GeneratedViewLoad::Cover covered_ = GeneratedViewLoad::Cover::None;
    std::string coveredPath_;
    LaidOutWatch layout_;
};

}  // namespace quorvane

#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/generated_view_load.h"
#include "engine/gui/engine_drawing_watch.h"

class wxWebView;
typedef struct _GObject GObject;
typedef struct _GAsyncResult GAsyncResult;

namespace quorvane {

class FirstScreenCover;

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
    // generated page whose first screen the cover shows.
    void Follow(GeneratedViewLoad::Cover wanted, const std::string& pagePath, double zoomLevel,
                bool localFilesBlocked);
    // The view was moved, resized or zoomed.
    void FollowPlace(double zoomLevel);
    // Asks the engine for a picture of the view, which it gives once it has laid it out.
    void WatchLayout();

  private:
    static void OnLaidOut(GObject* view, GAsyncResult* result, void* watch);

    wxWebView* view_;
    std::shared_ptr<FirstScreenCover> cover_;
    std::function<void()> laidOut_;
    GeneratedViewLoad::Cover covered_ = GeneratedViewLoad::Cover::None;
    std::string coveredPath_;
    std::shared_ptr<int> layoutWatch_;  // replaced by each watch: an older one's answer is late
    EngineDrawingWatch drawing_;
};

}  // namespace quorvane

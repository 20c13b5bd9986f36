#pragma once

#include <optional>
#include <string>

#include "inspection/source_find.h"
#include "main_window/find_in_page.h"
#include "main_window/main_window_surface.h"
#include "main_window/window_views.h"

namespace quorvane {

// The find bar's search in the visible view. An open search follows the visible view
// when it changes; only the Original Source view finds regular expressions and whole
// words, the web views find the text.
class FindInViews {
  public:
    FindInViews(WindowViews& views, MainWindowSurface& surface);

    void Find(const std::string& text, const SourceFindOptions& options);
    void FindNext();
    void FindPrevious();
    void End();
    // view has just been made visible; sourceWasShown: the Original Source view was
    // visible before. The open search goes with the view.
    void ViewShown(int view, bool sourceWasShown);

  private:
    // A search open on the find bar, to run again in the view shown next.
    struct OpenSearch {
        std::string text;
        SourceFindOptions options;
    };

    void SearchServedSource();
    void ShowServedSourceFindStatus();

    WindowViews& views_;
    MainWindowSurface& surface_;
    FindInPage find_;
    std::optional<OpenSearch> openSearch_;
    SourceMatches sourceMatches_;        // of the last search in the Original Source view
    bool servedSourceSearched_ = false;  // the open search has run in the view as it shows
};

}  // namespace quorvane

#include "main_window/find_in_views.h"

namespace quorvane {

FindInViews::FindInViews(WindowViews& views, MainWindowSurface& surface)
    : views_(views),
      surface_(surface),
      find_([this](const std::string& status) { surface_.SetFindStatus(status); }) {}

void FindInViews::Find(const std::string& text, const SourceFindOptions& options) {
    openSearch_ = text.empty() ? std::nullopt : std::optional(OpenSearch{text, options});
    const int visible = views_.VisibleView();
    if (visible == WindowViews::kServedSourceView) {
        SearchServedSource();
    } else if (WindowViews::IsElement(visible)) {
        find_.Search(views_.Element(visible), text, options.matchCase);
    }
}

void FindInViews::SearchServedSource() {
    ServedSourcePane& servedSource = views_.ServedSource();
    if (!openSearch_) {
        servedSource.EndFind();
        surface_.SetFindStatus({});
        return;
    }
    sourceMatches_ =
        servedSource.Find(openSearch_->text, openSearch_->options, FindInPage::kMaxMatches);
    servedSourceSearched_ = true;
    ShowServedSourceFindStatus();
}

void FindInViews::ShowServedSourceFindStatus() {
    surface_.SetFindStatus(SourceFindStatusText(
        sourceMatches_, views_.ServedSource().CurrentMatch(), FindInPage::kMaxMatches));
}

void FindInViews::FindNext() {
    if (views_.VisibleView() == WindowViews::kServedSourceView) {
        views_.ServedSource().FindNext();
        ShowServedSourceFindStatus();
    } else if (WindowViews::IsElement(views_.VisibleView())) {
        find_.Next();
    }
}

void FindInViews::FindPrevious() {
    if (views_.VisibleView() == WindowViews::kServedSourceView) {
        views_.ServedSource().FindPrevious();
        ShowServedSourceFindStatus();
    } else if (WindowViews::IsElement(views_.VisibleView())) {
        find_.Previous();
    }
}

void FindInViews::End() {
    openSearch_.reset();
    find_.End();
    views_.ServedSource().EndFind();
    servedSourceSearched_ = false;
}

// Into the Original Source view, or out of it into a web view, the search runs afresh;
// between web views FindInPage follows. The Image List and the Resources view have a
// filter of their own instead.
void FindInViews::ViewShown(int view, bool sourceWasShown) {
    if (view == WindowViews::kImageListView || view == WindowViews::kRequestListView) {
        return;
    }
    if (view == WindowViews::kServedSourceView) {
        if (openSearch_ && !servedSourceSearched_) {
            find_.End();
            SearchServedSource();
        }
        return;
    }
    if (sourceWasShown && openSearch_) {
        views_.ServedSource().EndFind();
        servedSourceSearched_ = false;
        find_.Search(views_.Element(view), openSearch_->text, openSearch_->options.matchCase);
    } else {
        find_.Follow(views_.Element(view));
    }
}

}  // namespace quorvane

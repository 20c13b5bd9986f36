#pragma once

#include "source_changes/changes_pane.h"

class wxWindow;

namespace quorvane {

class ServedSourceView;

// The "Original Source" view's code viewer as the pane the switch between served and live
// shows its texts in. page: the window around the viewer, shown and hidden with it.
class ServedSourceViewPane : public ChangesPane {
  public:
    ServedSourceViewPane(ServedSourceView& view, wxWindow* page) : view_(view), page_(page) {}

    bool Visible() const override;
    void SetVisible(bool visible) override;
    void ShowSource(std::string text, std::string pageAddress) override;
    SourceMatches Find(const std::string& what, const SourceFindOptions& options,
                       unsigned maxMatches) override;
    void FindNext() override;
    void FindPrevious() override;
    void EndFind() override;
    std::size_t CurrentMatch() const override;
    double ZoomLevel() const override;
    void SetZoomLevel(double level) override;
    void ShowMarkedText(std::string text, std::string pageAddress,
                        std::vector<MarkedLine> marks) override;
    std::uint32_t CaretTextLine() const override;
    void GoToTextLine(std::uint32_t line) override;

  private:
    ServedSourceView& view_;
    wxWindow* page_;
};

}  // namespace quorvane

#include "main_window/gui/served_source_view_pane.h"

#include <utility>

#include "inspection/gui/served_source_view.h"

namespace quorvane {

bool ServedSourceViewPane::Visible() const {
    return view_.Visible();
}

// The page lays out the bar and the viewer once shown: while hidden it was placed, not
// laid out.
void ServedSourceViewPane::SetVisible(bool visible) {
    page_->Show(visible);
    view_.SetVisible(visible);
    if (visible) {
        page_->Layout();
    }
}

void ServedSourceViewPane::ShowSource(std::string text, std::string pageAddress) {
    view_.ShowSource(std::move(text), std::move(pageAddress));
}

SourceMatches ServedSourceViewPane::Find(const std::string& what, const SourceFindOptions& options,
                                         unsigned maxMatches) {
    return view_.Find(what, options, maxMatches);
}

void ServedSourceViewPane::FindNext() {
    view_.FindNext();
}

void ServedSourceViewPane::FindPrevious() {
    view_.FindPrevious();
}

void ServedSourceViewPane::EndFind() {
    view_.EndFind();
}

std::size_t ServedSourceViewPane::CurrentMatch() const {
    return view_.CurrentMatch();
}

double ServedSourceViewPane::ZoomLevel() const {
    return view_.ZoomLevel();
}

void ServedSourceViewPane::SetZoomLevel(double level) {
    view_.SetZoomLevel(level);
}

void ServedSourceViewPane::ShowMarkedText(std::string text, std::string pageAddress,
                                          std::vector<MarkedLine> marks) {
    view_.ShowMarkedText(std::move(text), std::move(pageAddress), std::move(marks));
}

std::uint32_t ServedSourceViewPane::CaretTextLine() const {
    return view_.CaretTextLine();
}

void ServedSourceViewPane::GoToTextLine(std::uint32_t line) {
    view_.GoToTextLine(line);
}

}  // namespace quorvane

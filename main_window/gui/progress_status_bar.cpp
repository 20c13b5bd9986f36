#include "main_window/gui/progress_status_bar.h"

#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/intl.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "desktop/gui/accessible_names.h"
#include "desktop/gui/screen_reader_notice.h"
#include "desktop/gui/status_bar.h"

namespace quorvane {

// The progress bar lies on the status bar; a status bar that drew its text at once
// would draw the progress bar with it before its new value is laid out (StatusBar).
ProgressStatusBar::ProgressStatusBar(wxFrame* frame)
    : statusBar_(new StatusBar(frame)), progressBar_(nullptr) {
    frame->SetStatusBar(statusBar_);
    progressBar_ = new wxGauge(statusBar_, wxID_ANY, 100);
    progressBar_->SetValue(0);
    SetAccessibleName(*progressBar_, _("Progress"));
    notice_ = std::make_unique<ScreenReaderNotice>(*statusBar_);
}

ProgressStatusBar::~ProgressStatusBar() = default;

int ProgressStatusBar::PanelCount() const {
    return statusBar_->GetFieldsCount();
}

void ProgressStatusBar::AddPanel(MainWindowPlaces& places) {
    statusBar_->SetFieldsCount(statusBar_->GetFieldsCount() + 1);
    places.panelWidths.resize(statusBar_->GetFieldsCount(), places.panelWidths.back());
}

wxStatusBar* ProgressStatusBar::Bar() const {
    return statusBar_;
}

void ProgressStatusBar::SetText(const std::string& text) {
    statusBar_->SetStatusText(wxString::FromUTF8(text), 0);
}

void ProgressStatusBar::SetTextAndSayIt(const std::string& text) {
    SetText(text);
    notice_->Say(wxString::FromUTF8(text));
}

void ProgressStatusBar::SetProgress(float max, float value) {
    const int range = std::max(1, static_cast<int>(std::lround(max)));
    progressBar_->SetRange(range);
    progressBar_->SetValue(std::clamp(static_cast<int>(std::lround(value)), 0, range));
}

void ProgressStatusBar::ApplyPlaces(const TwipsPlacer& placer, const MainWindowPlaces& places) {
    std::vector<int> widths;
    for (float width : places.panelWidths) {
        widths.push_back(placer.Px(width));
    }
    statusBar_->SetFieldsCount(static_cast<int>(widths.size()), widths.data());
    // The progress bar lives on the status bar, so its place is taken relative to it.
    TwipsRect bar = places.progressBar;
    bar.Left -= places.statusBar.Left;
    bar.Top -= places.statusBar.Top;
    placer.Place(progressBar_, bar);
}

}  // namespace quorvane

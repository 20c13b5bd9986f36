#pragma once

#include <string>

#include "main_window/gui/twips_placer.h"
#include "main_window/layout.h"

class wxFrame;
class wxGauge;
class wxStatusBar;

namespace quorvane {

// The main window's status bar: its panels, panel 1's text, and the progress bar that
// lies on it.
class ProgressStatusBar {
  public:
    explicit ProgressStatusBar(wxFrame* frame);
    ProgressStatusBar(const ProgressStatusBar&) = delete;
    ProgressStatusBar& operator=(const ProgressStatusBar&) = delete;

    int PanelCount() const;
    // A panel more, as wide as the last in places.
    void AddPanel(MainWindowPlaces& places);
    void SetText(const std::string& text);
    void SetProgress(float max, float value);
    wxStatusBar* Bar() const { return statusBar_; }
    // The panels' widths and the progress bar's place.
    void ApplyPlaces(const TwipsPlacer& placer, const MainWindowPlaces& places);

  private:
    wxStatusBar* statusBar_;
    wxGauge* progressBar_;
};

}  // namespace quorvane

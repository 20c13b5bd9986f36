#pragma once

#include <memory>
#include <string>

#include "main_window/gui/twips_placer.h"
#include "main_window/layout.h"

class wxFrame;
class wxGauge;
class wxStatusBar;

namespace quorvane {

class ScreenReaderNotice;
class StatusBar;

// The main window's status bar: its panels, panel 1's text, and the progress bar that
// lies on it.
class ProgressStatusBar {
  public:
    explicit ProgressStatusBar(wxFrame* frame);
    ~ProgressStatusBar();
    ProgressStatusBar(const ProgressStatusBar&) = delete;
    ProgressStatusBar& operator=(const ProgressStatusBar&) = delete;

    int PanelCount() const;
    // A panel more, as wide as the last in places.
    void AddPanel(MainWindowPlaces& places);
    void SetText(const std::string& text);
    // Panel 1's text, which a screen reader says at once: the program's word on what the
    // user asked for, not an engine's on its load.
    void SetTextAndSayIt(const std::string& text);
    void SetProgress(float max, float value);
    wxStatusBar* Bar() const;
    // The panels' widths and the progress bar's place.
    void ApplyPlaces(const TwipsPlacer& placer, const MainWindowPlaces& places);

  private:
    StatusBar* statusBar_;
    wxGauge* progressBar_;
    std::unique_ptr<ScreenReaderNotice> notice_;
};

}  // namespace quorvane

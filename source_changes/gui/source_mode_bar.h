#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/panel.h>

#include "source_changes/source_mode.h"

class wxButton;
class wxChoice;
class wxStaticText;

namespace quorvane {

// The row above the "Original Source" view's text: the switch between the page as served,
// as it is now and the changes, the chooser of the document (the main one or a frame's,
// by its address), the button that reads the page again, and what the switch has to say
// ("Reading the page as it is now…", "14 changes").
class SourceModeBar : public wxPanel {
  public:
    // chosen: the user chose a mode; frameChosen: a frame, by its address ("" for the main
    // document); readAgain: the user asked for the live page again.
    SourceModeBar(wxWindow* parent, std::function<void(SourceMode)> chosen,
                  std::function<void(const std::string&)> frameChosen,
                  std::function<void()> readAgain);

    void ShowState(SourceMode mode, const std::string& note);
    // frames: the addresses offered besides the main document; chosen: "" for the main.
    void ShowFrames(const std::vector<std::string>& frames, const std::string& chosen);
    std::string Note() const;

  private:
    std::function<void(SourceMode)> chosen_;
    std::function<void(const std::string&)> frameChosen_;
    std::function<void()> readAgain_;
    std::vector<std::string> frames_;  // as the chooser lists them, after the main document
    wxChoice* modes_;
    wxChoice* frameChooser_;
    wxButton* readAgainButton_;
    wxStaticText* note_;
};

}  // namespace quorvane

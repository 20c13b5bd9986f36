#pragma once

#include <functional>
#include <string>

#include <wx/panel.h>

#include "source_changes/source_mode.h"

class wxButton;
class wxChoice;
class wxStaticText;

namespace quorvane {

// The row above the "Original Source" view's text: the switch between the page as served,
// as it is now and the changes, the button that reads the page again, and what the switch
// has to say ("Reading the page as it is now…", "14 changes").
class SourceModeBar : public wxPanel {
  public:
    // chosen: the user chose a mode; readAgain: the user asked for the live page again.
    SourceModeBar(wxWindow* parent, std::function<void(SourceMode)> chosen,
                  std::function<void()> readAgain);

    void ShowState(SourceMode mode, const std::string& note);
    std::string Note() const;

  private:
    std::function<void(SourceMode)> chosen_;
    std::function<void()> readAgain_;
    wxChoice* modes_;
    wxButton* readAgainButton_;
    wxStaticText* note_;
};

}  // namespace quorvane

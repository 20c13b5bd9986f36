#pragma once

#include <wx/dialog.h>

#include <filesystem>

#include "branding/gui/show_help_setting.h"

class wxCheckBox;
class wxRichTextCtrl;

namespace quorvane {

// The "Readme/Help" window: the help document, read-only, and the
// "Show at Startup" check box that owns the "showHelp" setting. Closing it destroys it.
class HelpWindow : public wxDialog {
  public:
    HelpWindow(wxWindow* parent, std::filesystem::path helpFile, ShowHelpSetting setting);

    wxRichTextCtrl* HelpText() const { return helpText_; }
    wxCheckBox* ShowHelpCheck() const { return showHelpCheck_; }

  private:
    void Load();
    void ShowHelpFile();
    void OnShowHelpClicked();

    std::filesystem::path helpFile_;
    ShowHelpSetting setting_;
    wxRichTextCtrl* helpText_;
    wxCheckBox* showHelpCheck_;
};

}  // namespace quorvane

#pragma once

#include <wx/dialog.h>

#include <filesystem>

#include "branding/gui/show_help_setting.h"

class wxCheckBox;
class wxRichTextCtrl;

namespace quorvane {

// Form8, the "Readme/Help" window: the help document, read-only, and the
// "Show at Startup" check box that owns the "showHelp" setting. Closing it destroys it.
class HelpWindow : public wxDialog {
  public:
    HelpWindow(wxWindow* parent, std::filesystem::path helpFile, ShowHelpSetting setting);

    wxRichTextCtrl* rtf1() const { return rtf1_; }
    wxCheckBox* Check1() const { return check1_; }

  private:
    void Form_Load();
    void ShowHelpFile();
    void Check1_Click();

    std::filesystem::path helpFile_;
    ShowHelpSetting setting_;
    wxRichTextCtrl* rtf1_;
    wxCheckBox* check1_;
};

}  // namespace quorvane

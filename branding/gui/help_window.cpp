#include "branding/gui/help_window.h"

#include <wx/caret.h>
#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/richtext/richtextctrl.h>

#include "branding/gui/rtf_view.h"
#include "branding/rtf_reader.h"
#include "desktop/file_exists.h"
#include "desktop/gui/twips_size.h"
#include "desktop/gui/window_helpers.h"

namespace quorvane {
namespace {

// The help text is read, not edited: a blinking caret in it would say otherwise. The
// caret is kept, as the box needs it to scroll by keys, but drawn no wider than nothing.
class TextWithoutCaret : public wxRichTextCtrl {
  public:
    TextWithoutCaret(wxWindow* parent, const wxPoint& place, const wxSize& size)
        : wxRichTextCtrl(parent, wxID_ANY, "RichTextBox1", place, size,
                         wxRE_MULTILINE | wxRE_READONLY | wxVSCROLL) {
        HideCaret();
    }

    void PositionCaret(wxRichTextParagraphLayoutBox* container = nullptr) override {
        wxRichTextCtrl::PositionCaret(container);
        HideCaret();
    }

  private:
    void HideCaret() {
        if (wxCaret* caret = GetCaret()) {
            caret->SetSize(0, caret->GetSize().GetHeight());
        }
    }
};

}  // namespace

HelpWindow::HelpWindow(wxWindow* parent, std::filesystem::path helpFile, ShowHelpSetting setting)
    : wxDialog(parent, wxID_ANY, "Readme/Help", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      helpFile_(std::move(helpFile)),
      setting_(std::move(setting)) {
    // On a small or scaled screen the window gives up height (and width) from the text,
    // which scrolls; the check box under it always stays on screen.
    const wxSize client = ClientSizeInsideWorkArea(this, TwipsToSize(this, 10290, 7920));
    const wxSize cut = TwipsToSize(this, 10290, 7920) - client;
    SetClientSize(client);
    helpText_ =
        new TextWithoutCaret(this, TwipsToPoint(this, 0, 0), TwipsToSize(this, 10275, 7515) - cut);
    const wxPoint checkPlace = TwipsToPoint(this, 60, 7620) - wxPoint(0, cut.y);
    showHelpCheck_ =
        new wxCheckBox(this, wxID_ANY, "Show at Startup", checkPlace, wxDefaultSize, wxCHK_3STATE);
    showHelpCheck_->SetMinSize(TwipsToSize(this, 1995, 255));
    wxSize checkSize = showHelpCheck_->GetBestSize();
    checkSize.IncTo(TwipsToSize(this, 1995, 255));
    showHelpCheck_->SetSize(checkSize);
    showHelpCheck_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnShowHelpClicked(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });
    CloseOnEscape(this);
    Load();
}

// Every step stands alone: one that fails is passed over and the next one runs.
void HelpWindow::Load() {
    ShowHelpFile();
    SetTopMost(this, true);
    const auto state = CheckStateFromSetting(setting_.Read());
    if (state && static_cast<int>(*state) != static_cast<int>(showHelpCheck_->Get3StateValue())) {
        showHelpCheck_->Set3StateValue(static_cast<wxCheckBoxState>(*state));
        // A state set from code counts as a click, so the setting is stored at once.
        OnShowHelpClicked();
    }
}

// A missing help file would leave the window blank; it says where the file belongs.
void HelpWindow::ShowHelpFile() {
    if (!FileExists(helpFile_.string())) {
        helpText_->SetValue(wxString::Format(_("The help document \"%s\" was not found in %s."),
                                             wxString::FromUTF8(helpFile_.filename().string()),
                                             wxString::FromUTF8(helpFile_.parent_path().string())));
        return;
    }
    if (const auto document = ReadRtfFile(helpFile_)) {
        ShowRtfDocument(helpText_, *document);
    }
}

void HelpWindow::OnShowHelpClicked() {
    // A setting that can't be written is lost without a message.
    setting_.Write(std::to_string(static_cast<int>(showHelpCheck_->Get3StateValue())));
}

}  // namespace quorvane

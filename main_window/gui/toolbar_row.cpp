#include "main_window/gui/toolbar_row.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/intl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <utility>

#include "desktop/gui/accessible_names.h"
#include "desktop/gui/button_pictures.h"
#include "main_window/gui/command_binding.h"

namespace quorvane {
namespace {

// The design places of the controls that ArrangeControls leaves alone.
const TwipsRect kBackPlace{60, 60, 915, 855};
const TwipsRect kForwardPlace{1020, 60, 855, 855};
const TwipsRect kStopPlace{1920, 60, 855, 855};
const TwipsRect kRefreshPlace{2820, 60, 795, 855};
const TwipsRect kBackDirPlace{3660, 60, 855, 855};
const TwipsRect kSendToBrowserTabPlace{4560, 60, 915, 855};
const TwipsRect kAddressCaptionPlace{60, 1020, 495, 285};

}  // namespace

ToolbarRow::ToolbarRow(wxWindow* panel, const TwipsPlacer& placer, const MainWindowPlaces& places,
                       AddressBoxEvents events)
    : panel_(panel), placer_(placer) {
    CreateButtons(places);
    CreateAddressRow(places, std::move(events));
}

// The button runs its command's routine, as the command's menu item and shortcut do.
wxButton* ToolbarRow::AddPictureButton(CommandId command, const wxString& caption,
                                       const wxString& tooltip, const wxBitmapBundle& picture,
                                       const TwipsRect& place) {
    auto* button = new wxButton(panel_, CommandWindowId(command), caption);
    button->SetBitmap(picture, wxTOP);
    if (!tooltip.empty()) {
        button->SetToolTip(tooltip);
    }
    placer_.Place(button, place);
    return button;
}

void ToolbarRow::CreateButtons(const MainWindowPlaces& places) {
    const wxSize size = wxArtProvider::GetNativeDIPSizeHint(wxART_TOOLBAR);
    const auto own = [&size](ButtonPicture picture) { return ButtonPictureBundle(picture, size); };
    // The theme's stop sign and globe are in full colour already.
    const auto theme = [](const wxString& art) {
        return wxArtProvider::GetBitmapBundle(art, wxART_TOOLBAR);
    };
    AddPictureButton(CommandId::Back, "Back", "Back", own(ButtonPicture::Back), kBackPlace);
    AddPictureButton(CommandId::Forward, "Forward", "Forward", own(ButtonPicture::Forward),
                     kForwardPlace);
    AddPictureButton(CommandId::Stop, "Stop", "Stop", theme(wxART_STOP), kStopPlace);
    AddPictureButton(CommandId::Refresh, "Refresh", "Refresh", own(ButtonPicture::Refresh),
                     kRefreshPlace);
    AddPictureButton(CommandId::UpDir, "Up Dir", "Go back 1 directory level",
                     own(ButtonPicture::UpDir), kBackDirPlace);
    AddPictureButton(CommandId::SendToIE, "Send to IE", "Send Page to Browser Tab",
                     theme("document-send"), kSendToBrowserTabPlace)
        ->Hide();
    // Home has the place of the hidden button, which no user sees.
    AddPictureButton(CommandId::Home, _("Home"), _("Go to the home page (Alt+Home)"),
                     theme(wxART_GO_HOME), kSendToBrowserTabPlace);
    websiteButton_ = AddPictureButton(CommandId::Website, "Website", "", theme("web-browser"),
                                      places.websiteButton);
}

void ToolbarRow::CreateAddressRow(const MainWindowPlaces& places, AddressBoxEvents events) {
    auto* addressCaption = new wxStaticText(panel_, wxID_ANY, "URL:", wxDefaultPosition,
                                            wxDefaultSize, wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    placer_.Place(addressCaption, kAddressCaptionPlace);
    addressBox_ = new wxTextCtrl(panel_, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                 wxTE_PROCESS_ENTER);
    SetAccessibleName(*addressBox_, "URL");
    placer_.Place(addressBox_, places.addressBox);
    BindAddressBox(std::move(events));
    goButton_ = new wxButton(panel_, CommandWindowId(CommandId::Go), wxString(), wxDefaultPosition,
                             wxDefaultSize, wxBU_EXACTFIT);
    goButton_->SetBitmap(
        ButtonPictureBundle(ButtonPicture::Go, wxArtProvider::GetNativeDIPSizeHint(wxART_BUTTON)));
    goButton_->SetToolTip("Go!");
    SetAccessibleName(*goButton_, "Go");
    placer_.Place(goButton_, places.goButton);
}

// Only the user's changes come as text events: the program writes with ChangeValue.
void ToolbarRow::BindAddressBox(AddressBoxEvents events) {
    // The key still reaches the box.
    addressBox_->Bind(wxEVT_TEXT_ENTER, [enter = std::move(events.enter)](wxCommandEvent& event) {
        enter();
        event.Skip();
    });
    addressBox_->Bind(wxEVT_TEXT, [this, typed = std::move(events.typed)](wxCommandEvent& event) {
        typed(addressBox_->GetValue().utf8_string());
        event.Skip();
    });
    // The keyboard leaving for another program (no window of ours gets it) is no leaving:
    // the user comes back to what they typed.
    addressBox_->Bind(wxEVT_KILL_FOCUS, [this, left = std::move(events.left)](wxFocusEvent& event) {
        wxWindow* next = event.GetWindow();
        if (next != nullptr && next != addressBox_ &&
            wxGetTopLevelParent(next) == wxGetTopLevelParent(addressBox_)) {
            left();
        }
        event.Skip();
    });
    // Before the window's shortcuts, where Escape is Stop.
    addressBox_->Bind(wxEVT_CHAR_HOOK, [escape = std::move(events.escape)](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE && escape()) {
            return;
        }
        event.Skip();
    });
}

void ToolbarRow::SetWebsiteCaption(const std::string& website) {
    websiteButton_->SetLabel("Visit " + wxString::FromUTF8(website));
}

std::string ToolbarRow::AddressText() const {
    return addressBox_->GetValue().utf8_string();
}

// A box whose whole text is selected (as at start, or after Ctrl+L) keeps it selected
// when a new address replaces it, so that what the user types still replaces all of it.
// So does an empty box: the user has just cleared it to type.
void ToolbarRow::SetAddressText(const std::string& text) {
    long from = 0;
    long to = 0;
    addressBox_->GetSelection(&from, &to);
    const bool allSelected = from == 0 && to == addressBox_->GetLastPosition();
    addressBox_->ChangeValue(wxString::FromUTF8(text));
    if (allSelected) {
        addressBox_->SelectAll();
    }
}

void ToolbarRow::FocusAddressBox() {
    addressBox_->SetFocus();
    addressBox_->SelectAll();
}

void ToolbarRow::ApplyPlaces(const MainWindowPlaces& places) {
    placer_.Place(addressBox_, places.addressBox);
    placer_.Place(websiteButton_, places.websiteButton);
    placer_.Place(goButton_, places.goButton);
}

}  // namespace quorvane

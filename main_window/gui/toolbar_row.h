#pragma once

#include <functional>
#include <string>

#include "main_window/commands.h"
#include "main_window/gui/twips_placer.h"
#include "main_window/layout.h"

class wxBitmapBundle;
class wxButton;
class wxString;
class wxTextCtrl;
class wxWindow;

namespace quorvane {

// What the user does in the address box.
struct AddressBoxEvents {
    std::function<void()> enter;                         // Enter (the key still reaches the box)
    std::function<void(const std::string& text)> typed;  // the user changed the text
    std::function<void()> left;  // the keyboard went to another control of the window
    // Escape: true when it was used up there, false when it means what it does elsewhere.
    std::function<bool()> escape;
};

// The top of the main window: the picture buttons, each running its command's routine
// as the command's menu item and shortcut do, and the address row with its Go button.
class ToolbarRow {
  public:
    ToolbarRow(wxWindow* panel, const TwipsPlacer& placer, const MainWindowPlaces& places,
               AddressBoxEvents events);
    ToolbarRow(const ToolbarRow&) = delete;
    ToolbarRow& operator=(const ToolbarRow&) = delete;

    void SetWebsiteCaption(const std::string& website);
    std::string AddressText() const;
    void SetAddressText(const std::string& text);
    // The keyboard to the address box, its text selected to be typed over.
    void FocusAddressBox();
    wxTextCtrl* AddressBox() const { return addressBox_; }
    // The controls that follow the window's size.
    void ApplyPlaces(const MainWindowPlaces& places);

  private:
    void CreateButtons(const MainWindowPlaces& places);
    void CreateAddressRow(const MainWindowPlaces& places, AddressBoxEvents events);
    void BindAddressBox(AddressBoxEvents events);
    wxButton* AddPictureButton(CommandId command, const wxString& caption, const wxString& tooltip,
                               const wxBitmapBundle& picture, const TwipsRect& place);

    wxWindow* panel_;
    const TwipsPlacer& placer_;
    wxButton* websiteButton_ = nullptr;
    wxButton* goButton_ = nullptr;
    wxTextCtrl* addressBox_ = nullptr;
};

}  // namespace quorvane

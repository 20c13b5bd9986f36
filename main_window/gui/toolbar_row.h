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

// The top of the main window: the picture buttons, each running its command's routine
// as the command's menu item and shortcut do, and the address row with its Go button.
class ToolbarRow {
  public:
    // enter: what Enter in the address box does (the key still reaches the box).
    ToolbarRow(wxWindow* panel, const TwipsPlacer& placer, const MainWindowPlaces& places,
               std::function<void()> enter);
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
    void CreateAddressRow(const MainWindowPlaces& places, std::function<void()> enter);
    wxButton* AddPictureButton(CommandId command, const wxString& caption, const wxString& tooltip,
                               const wxBitmapBundle& picture, const TwipsRect& place);

    wxWindow* panel_;
    const TwipsPlacer& placer_;
    wxButton* websiteButton_ = nullptr;
    wxButton* goButton_ = nullptr;
    wxTextCtrl* addressBox_ = nullptr;
};

}  // namespace quorvane

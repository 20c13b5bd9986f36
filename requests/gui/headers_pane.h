#pragma once

#include <wx/textctrl.h>

#include <string>

namespace quorvane {

// The text of a request's status, redirect chain and header lines (RequestHeadersText), as
// the Resources view shows it for the selected row and the Original Source view beside the
// page's source: read-only, unwrapped, named "Headers" for a screen reader.
class HeadersPane : public wxTextCtrl {
  public:
    explicit HeadersPane(wxWindow* parent);

    // Shows text, leaving the place read and what is selected when it has not changed.
    void ShowText(const std::string& text);
    std::string Text() const;
};

}  // namespace quorvane

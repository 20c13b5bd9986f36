#pragma once

#include <wx/dialog.h>

#include <functional>

#include "branding/about_captions.h"

class wxStaticText;

namespace quorvane {

// frmAbout: product name, version, company and website from the version record.
// A click on the website label runs openWebsite. Closing it destroys it.
class AboutWindow : public wxDialog {
  public:
    AboutWindow(wxWindow* parent, const AboutCaptions& captions, std::function<void()> openWebsite);

    wxStaticText* Label1() const { return label1_; }
    wxStaticText* lblVersion() const { return lblVersion_; }
    wxStaticText* lblCompany() const { return lblCompany_; }
    wxStaticText* lblWebsite() const { return lblWebsite_; }

  private:
    wxStaticText* AddLabel(wxWindow* parent, const wxString& text, float left, float top,
                           float width, float height, float points);
    wxWindow* AddPicture();

    wxStaticText* label1_;
    wxStaticText* lblVersion_;
    wxStaticText* lblCompany_;
    wxStaticText* lblWebsite_;
};

}  // namespace quorvane

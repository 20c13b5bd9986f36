#pragma once

#include <wx/dialog.h>

#include <functional>

#include "branding/about_captions.h"

class wxStaticText;

namespace quorvane {

// The About window: product name, version, company and website from the version record.
// A click on the website label runs openWebsite. Closing it destroys it.
class AboutWindow : public wxDialog {
  public:
    AboutWindow(wxWindow* parent, const AboutCaptions& captions, std::function<void()> openWebsite);

    wxStaticText* ProductNameLabel() const { return productNameLabel_; }
    wxStaticText* VersionLabel() const { return versionLabel_; }
    wxStaticText* CompanyLabel() const { return companyLabel_; }
    wxStaticText* WebsiteLabel() const { return websiteLabel_; }

  private:
    wxStaticText* AddLabel(wxWindow* parent, const wxString& text, float left, float top,
                           float width, float height, float points);
    wxWindow* AddPicture();

    wxStaticText* productNameLabel_;
    wxStaticText* versionLabel_;
    wxStaticText* companyLabel_;
    wxStaticText* websiteLabel_;
};

}  // namespace quorvane

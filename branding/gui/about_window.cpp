#include "branding/gui/about_window.h"

#include <wx/dcbuffer.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include "desktop/gui/twips_size.h"
#include "desktop/gui/window_helpers.h"

namespace quorvane {

namespace {

wxFont Verdana(float points, bool bold) {
    wxFont font(wxFontInfo(points).FaceName("Verdana"));
    font.SetFractionalPointSize(points);
    font.SetWeight(bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    return font;
}

}  // namespace

AboutWindow::AboutWindow(wxWindow* parent, const AboutCaptions& captions,
                         std::function<void()> openWebsite)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(captions.caption), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU) {
    SetFont(Verdana(8.25f, false));
    SetClientSize(TwipsToSize(this, 7455, 2535));
    wxWindow* picture1 = AddPicture();
    productNameLabel_ =
        AddLabel(picture1, wxString::FromUTF8(captions.productName), 120, 300, 5655, 435, 14.25f);
    productNameLabel_->SetForegroundColour(*wxWHITE);
    AddLabel(this, "Version:", 180, 1260, 2295, 315, 12);
    versionLabel_ = AddLabel(this, captions.version, 2580, 1260, 4635, 315, 12);
    AddLabel(this, "Owned By:", 180, 1680, 2295, 315, 12);
    companyLabel_ = AddLabel(this, wxString::FromUTF8(captions.company), 2580, 1680, 4635, 315, 12);
    AddLabel(this, "Website:", 180, 2100, 2295, 315, 12);
    websiteLabel_ = AddLabel(this, wxString::FromUTF8(captions.website), 2580, 2100, 4635, 315, 12);
    websiteLabel_->SetForegroundColour(*wxBLUE);
    websiteLabel_->SetCursor(wxCursor(wxCURSOR_HAND));
    websiteLabel_->Bind(wxEVT_LEFT_UP, [openWebsite](wxMouseEvent&) { openWebsite(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });
    CloseOnEscape(this);
}

wxStaticText* AboutWindow::AddLabel(wxWindow* parent, const wxString& text, float left, float top,
                                    float width, float height, float points) {
    auto* label = new wxStaticText(parent, wxID_ANY, text, TwipsToPoint(this, left, top),
                                   TwipsToSize(this, width, height), wxST_NO_AUTORESIZE);
    label->SetFont(Verdana(points, true));
    return label;
}

// The product banner: a deep blue band that fades to a lighter blue, with
// the product name written over it.
wxWindow* AboutWindow::AddPicture() {
    auto* picture =
        new wxPanel(this, wxID_ANY, TwipsToPoint(this, 0, 0), TwipsToSize(this, 7515, 1035));
    picture->SetBackgroundStyle(wxBG_STYLE_PAINT);
    picture->Bind(wxEVT_PAINT, [picture](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(picture);
        dc.GradientFillLinear(picture->GetClientRect(), wxColour(0x1d, 0x35, 0x5a),
                              wxColour(0x1f, 0x6f, 0xd1), wxEAST);
    });
    return picture;
}

}  // namespace quorvane

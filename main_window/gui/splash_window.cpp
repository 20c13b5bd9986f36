#include "main_window/gui/splash_window.h"

#include <wx/bitmap.h>
#include <wx/display.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <exception>
#include <utility>

#include "branding/branding_values.h"
#include "desktop/gui/twips_size.h"
#include "desktop/new_window_place.h"
#include "desktop/program_folder.h"
#include "desktop/twips.h"
#include "desktop/work_folder.h"
#include "main_window/gui/main_frame.h"

namespace quorvane {
namespace {

constexpr float kClientWidth = 7170;
constexpr float kClientHeight = 4770;
constexpr float kLabelHeight = 600;
constexpr const char* kPictureName = "/splash.png";
// How far down and right of its opener a new window opens: enough to see the opener's edge.
constexpr float kNewWindowStep = 450;

}  // namespace

SplashWindow::SplashWindow(std::function<void(const std::string&)> startFailed,
                           StartRequest request)
    : wxFrame(nullptr, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE | wxFRAME_NO_TASKBAR),
      startFailed_(std::move(startFailed)),
      request_(std::move(request)),
      startTimer_(this) {
    const int dpi = LogicalDotsPerInch(this);
    const int width = TwipsToPixels(kClientWidth, dpi);
    const int height = TwipsToPixels(kClientHeight, dpi);
    const int labelHeight = TwipsToPixels(kLabelHeight, dpi);
    SetClientSize(width, height);
    SetBackgroundColour(*wxWHITE);

    wxImage picture;
    if (picture.LoadFile(ProgramFolder() + kPictureName, wxBITMAP_TYPE_PNG)) {
        picture.Rescale(width, height - labelHeight, wxIMAGE_QUALITY_HIGH);
        new wxStaticBitmap(this, wxID_ANY, wxBitmap(picture), wxPoint(0, 0));
    }
    Load();
    auto* tagline = new wxStaticText(this, wxID_ANY,
                                     wxString::Format(_("Look behind every web page. Visit %s"),
                                                      wxString::FromUTF8(branding.website)),
                                     wxPoint(0, height - labelHeight), wxSize(width, labelHeight),
                                     wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
    tagline->SetForegroundColour(wxColour(0x33, 0x33, 0x55));
    Centre();
    Bind(wxEVT_TIMER, &SplashWindow::OnStartTick, this);
}

void SplashWindow::Load() {
    LoadBrandingValues();
    startTimer_.Start(SplashTicker::kTickIntervalMs);
}

void SplashWindow::OnStartTick(wxTimerEvent&) {
    if (!ticker_.Tick()) {
        return;
    }
    startTimer_.Stop();
    LoadMainWindow();
}

void SplashWindow::LoadMainWindow() {
    MainFrame* main = nullptr;
    try {
        // A second copy of the program finds the work folder owned by the first and
        // works in a folder of its own for this run.
        main = new MainFrame(
            this, WorkFolder::ForRun(ChooseWorkFolder(ProgramFolder(), branding.productName),
                                     PrivateWorkFolders(branding.productName)));
        main->Load(request_.address, request_.startedBy);
    } catch (const std::exception& error) {
        if (main != nullptr) {
            main->Destroy();
        }
        startFailed_(error.what());
        return;
    }
    PlaceMainWindow(*main);
    main->Show();
    // A window manager may place a new window where it likes, ignoring the place asked for
    // before it was shown, and honour a move once it is on screen. wxWidgets takes the
    // window to be where it was asked to be already and would skip that same move, so it
    // is asked for one pixel beside it first.
    if (request_.openerPlace) {
        main->CallAfter([main, place = main->GetRect()] {
            main->Move(place.x + 1, place.y);
            main->Move(place.x, place.y);
        });
    }
    Hide();
}

// A window opened from another goes beside it on the opener's display, never exactly over
// it, where the user would see only the new one and take it for the old.
void SplashWindow::PlaceMainWindow(MainFrame& main) const {
    if (!request_.openerPlace) {
        main.Maximize();
        return;
    }
    const ScreenRect& opener = *request_.openerPlace;
    const int display =
        wxDisplay::GetFromPoint(wxPoint(opener.x + opener.width / 2, opener.y + opener.height / 2));
    const wxRect area = wxDisplay(display != wxNOT_FOUND ? display : 0).GetClientArea();
    const ScreenRect place =
        NewWindowPlace(opener, ScreenRect{area.x, area.y, area.width, area.height},
                       TwipsToPixels(kNewWindowStep, LogicalDotsPerInch(&main)));
    main.SetSize(place.x, place.y, place.width, place.height);
}

}  // namespace quorvane

// Shows the Help or the About window on its own, for screenshots of the docs:
//   secondary_windows_preview help|about
// It reads the Help.rtf shipped beside it and keeps its setting in $XDG_CONFIG_HOME.
#include <wx/app.h>

#include <string>

#include "branding/branding_values.h"
#include "branding/gui/about_window.h"
#include "branding/gui/help_window.h"
#include "desktop/gui/window_helpers.h"
#include "desktop/program_folder.h"

namespace quorvane {

class PreviewApp : public wxApp {
  public:
    bool OnInit() override {
        LoadBrandingValues();
        const std::string which = argc > 1 ? argv[1].utf8_string() : "help";
        wxDialog* window = nullptr;
        if (which == "about") {
            window = new AboutWindow(nullptr, MakeAboutCaptions(EmbeddedVersionRecord()), [] {});
        } else {
            window = new HelpWindow(nullptr, ProgramFolder() + "/Help.rtf",
                                    ShowHelpSetting(branding.productName));
        }
        SetIcon(window, "AAA", true);
        window->Move(0, 0);
        window->Show();
        return true;
    }
};

}  // namespace quorvane

wxIMPLEMENT_APP(quorvane::PreviewApp);

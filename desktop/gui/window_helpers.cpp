#include "desktop/gui/window_helpers.h"

#include <wx/display.h>
#include <wx/toplevel.h>

#include <algorithm>

#include "desktop/gui/icon_bundle.h"

namespace quorvane {

namespace {

// The last top-level window on the chain of parents: the window itself when it has
// no owner.
wxTopLevelWindow* OutermostOwner(wxTopLevelWindow* window) {
    wxTopLevelWindow* outermost = window;
    for (wxWindow* parent = window->GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (auto* topLevel = dynamic_cast<wxTopLevelWindow*>(parent)) {
            outermost = topLevel;
        }
    }
    return outermost;
}

// A title bar's height where the window manager has not yet said how high its frame
// is (a window not yet shown).
constexpr int kTitleBarAllowance = 40;

}  // namespace

wxSize ClientSizeInsideWorkArea(const wxTopLevelWindow* window, const wxSize& wanted) {
    const int index = wxDisplay::GetFromWindow(window);
    const wxRect area =
        wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
    wxSize frame = window->GetSize() - window->GetClientSize();
    frame.y = std::max(frame.y, window->FromDIP(kTitleBarAllowance));
    return {std::min(wanted.x, std::max(1, area.width - frame.x)),
            std::min(wanted.y, std::max(1, area.height - frame.y))};
}

void SetIcon(wxTopLevelWindow* window, const std::string& resourceName, bool alsoSetOnOwner) {
    // An unknown resource gives an empty bundle, which is set all the same.
    const wxIconBundle icons = LoadIconBundle(resourceName);
    if (alsoSetOnOwner) {
        OutermostOwner(window)->SetIcons(icons);
    }
    window->SetIcons(icons);
}

void SetTopMost(wxTopLevelWindow* window, bool onTop) {
    const long style = window->GetWindowStyleFlag();
    window->SetWindowStyleFlag(onTop ? style | wxSTAY_ON_TOP : style & ~wxSTAY_ON_TOP);
}

void CloseOnEscape(wxTopLevelWindow* window) {
    window->Bind(wxEVT_CHAR_HOOK, [window](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE) {
            window->Close();
            return;
        }
        event.Skip();
    });
}

}  // namespace quorvane

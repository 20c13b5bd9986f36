#pragma once

#include <string>

#include <wx/gdicmn.h>

class wxTopLevelWindow;

namespace quorvane {

// Sets the big and small icon of the named icon bundle ("AAA") on the window and,
// when alsoSetOnOwner is true, on its outermost top-level owner.
void SetIcon(wxTopLevelWindow* window, const std::string& resourceName, bool alsoSetOnOwner);

// Keeps the window above ordinary windows (onTop true) or lets it go back (false).
void SetTopMost(wxTopLevelWindow* window, bool onTop);

// The client size the window can have on its display: wanted, made smaller where the
// display's work area (the screen less its panels) would not hold it with its frame, so
// that no part of it, at any scale, is off screen.
wxSize ClientSizeInsideWorkArea(const wxTopLevelWindow* window, const wxSize& wanted);

// Lets Escape close the window, as it closes any dialog-like window.
void CloseOnEscape(wxTopLevelWindow* window);

}  // namespace quorvane

#pragma once

#include <string>

class wxTopLevelWindow;

namespace quorvane {

// Sets the big and small icon of the named icon bundle ("AAA") on the window and,
// when alsoSetOnOwner is true, on its outermost top-level owner.
void SetIcon(wxTopLevelWindow* window, const std::string& resourceName, bool alsoSetOnOwner);

// Keeps the window above ordinary windows (onTop true) or lets it go back (false).
void SetTopMost(wxTopLevelWindow* window, bool onTop);

// Lets Escape close the window, as it closes any dialog-like window.
void CloseOnEscape(wxTopLevelWindow* window);

}  // namespace quorvane

#pragma once

#include <wx/panel.h>

namespace quorvane {

// The line over a generated view that says a new page is being prepared. The toolkit draws
// it at once in the desktop's own colours, light or dark: a web view shown over the view
// would show nothing, an empty white page or its page before until its engine process had
// drawn the line. It also lies under the first screen while that is drawn.
class PreparingLine : public wxPanel {
  public:
    explicit PreparingLine(wxWindow* parent);

    // Shown over place; above the windows made before it.
    void ShowOver(const wxRect& place);
};

}  // namespace quorvane

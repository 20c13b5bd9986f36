#include "desktop/gui/status_bar.h"

namespace quorvane {

void StatusBar::DoUpdateStatusText(int number) {
    wxRect field;
    GetFieldRect(number, field);
    Refresh(true, &field);
}

}  // namespace quorvane

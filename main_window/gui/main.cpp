#include "main_window/gui/quorvane_app.h"

wxIMPLEMENT_APP(quorvane::QuorvaneApp);

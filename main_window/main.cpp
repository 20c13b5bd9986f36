#include "main_window/quorvane_app.h"

wxIMPLEMENT_APP(quorvane::QuorvaneApp);

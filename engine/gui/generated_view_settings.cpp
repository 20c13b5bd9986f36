#include "engine/gui/generated_view_settings.h"

#include <webkit2/webkit2.h>

namespace quorvane {

void ApplyGeneratedViewSettings(WebKitWebView* view) {
    WebKitSettings* settings = webkit_web_view_get_settings(view);
    webkit_settings_set_enable_javascript(settings, FALSE);
    webkit_settings_set_default_charset(settings, "UTF-8");
}

}  // namespace quorvane

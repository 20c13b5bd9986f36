#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// What every view that shows the generated pages is set to: it runs no script, and reads a
// file without a charset declaration as UTF-8, as the generated pages are written.
void ApplyGeneratedViewSettings(WebKitWebView* view);

}  // namespace quorvane

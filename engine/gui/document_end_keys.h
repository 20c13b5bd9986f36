#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Ctrl+Home and Ctrl+End go to the top and the bottom of the page, as in every desktop
// browser. The engine takes them only as caret moves, which do nothing in a page that is
// not being edited; where the page does use them (a text field), they stay the page's.
void ScrollToDocumentEndsByControlKeys(WebKitWebView* view);

}  // namespace quorvane

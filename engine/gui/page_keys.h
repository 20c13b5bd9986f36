#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// The keys of a view's page that are the window's before they are the page's:
// - The window's shortcuts come before the page: the engine would otherwise keep some of
//   them for itself (Alt+Left and Alt+Right do nothing inside a page). Keys that are no
//   shortcut of the window go on to the page as usual.
// - Ctrl+Home and Ctrl+End go to the top and the bottom of the page, as in every desktop
//   browser. The engine takes them only as caret moves, which do nothing in a page that is
//   not being edited; where the page does use them (a text field), they stay the page's.
void RoutePageKeys(WebKitWebView* view);

}  // namespace quorvane

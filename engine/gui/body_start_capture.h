#pragma once

#include <cstddef>

#include "engine/browser_view_element.h"

typedef struct _GCancellable GCancellable;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Reads the first chars UTF-16 units of the body's outer HTML, as the whole would begin,
// without the engine serialising the whole. done gets none when the body is no longer than
// that, when there is none, or when it cannot be read. Cancelled with cancellable, done
// never runs.
void CaptureBodyStart(WebKitWebView* view, GCancellable* cancellable, std::size_t chars,
                      BrowserViewElement::CaptureDone done);

}  // namespace quorvane

#pragma once

#include <functional>
#include <optional>

#include "engine/served_resource.h"

typedef struct _GCancellable GCancellable;
typedef struct _WebKitWebResource WebKitWebResource;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

using ResourceDataDone = std::function<void(std::optional<ServedResource> resource)>;

// Reads resource's bytes from the engine's memory into described, which already says what
// the response said. done runs once the engine answers: nullopt when it has no bytes;
// never when cancellable was cancelled (its owner is gone).
void ReadResourceData(WebKitWebResource* resource, GCancellable* cancellable,
                      ServedResource described, ResourceDataDone done);

// Reads the document view received, with its address, type and charset as served: nullopt
// when it holds no document. done runs as for ReadResourceData.
void ReadMainResource(WebKitWebView* view, GCancellable* cancellable, ResourceDataDone done);

}  // namespace quorvane

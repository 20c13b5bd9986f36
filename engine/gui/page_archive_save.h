#pragma once

#include <string>

#include "engine/page_archiving.h"

typedef struct _GCancellable GCancellable;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Writes the page view shows into filePath as MHTML. done runs once the engine has written
// it, with why not when it could not; never when cancellable was cancelled (its owner is
// gone).
void SavePageArchive(WebKitWebView* view, GCancellable* cancellable, const std::string& filePath,
                     PageArchiving::ArchiveDone done);

}  // namespace quorvane

#pragma once

#include <optional>
#include <string>

#include "engine/mime_archive.h"
#include "engine/served_resource.h"

namespace quorvane {

// A part of a page saved whole, as the server served it when the page was saved: at its
// Content-Location, else at fallbackAddress.
ServedResource ArchivePartAsServed(const ArchivePart& part, const std::string& fallbackAddress);

// The document resource shows: for a page saved whole (an archive of the engine's), the
// page's own document in it, at the address it was saved from; any other resource is its
// own document. An archive that cannot be read is shown as it is.
ServedResource ShownDocument(ServedResource resource);

}  // namespace quorvane

#include "engine/archive_document.h"

#include <utility>

namespace quorvane {

ServedResource ArchivePartAsServed(const ArchivePart& part, const std::string& fallbackAddress) {
    return ServedResource{part.location.empty() ? fallbackAddress : part.location, part.bytes,
                          part.mimeType, part.charset};
}

ServedResource ShownDocument(ServedResource resource) {
    if (!IsArchiveType(resource.mimeType)) {
        return resource;
    }
    const std::optional<MimeArchive> archive = ReadMimeArchive(resource.bytes);
    if (!archive) {
        return resource;
    }
    return ArchivePartAsServed(archive->parts[archive->root], resource.address);
}

}  // namespace quorvane

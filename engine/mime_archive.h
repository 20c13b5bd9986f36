#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One file of a page saved whole (MHTML): its bytes decoded from their transfer encoding,
// and the address it was loaded from.
struct ArchivePart {
    // Its Content-Location, resolved against the Content-Base or Content-Location of the
    // multiparts around it; "" when it has none.
    std::string location;
    std::string contentId;  // its Content-ID without the angle brackets, "" when none
    std::string mimeType;   // "text/html", in lower case
    std::string charset;    // the charset parameter, "" when it has none
    std::string bytes;
};

// A page saved whole in one file: a MIME multipart/related message (RFC 2557) whose parts
// are the page's document and the files it loaded.
struct MimeArchive {
    // In the archive's order; the parts of a multipart inside it in its place.
    std::vector<ArchivePart> parts;
    // The page's document: the part the start parameter names by its Content-ID, else the
    // first (RFC 2387).
    std::size_t root = 0;
};

// The parts read of a hostile archive are bounded, as are the multiparts inside others.
inline constexpr std::size_t kMaxArchiveParts = 50'000;
inline constexpr int kMaxArchiveDepth = 8;

// Whether a file of mimeType, as the engine names it, is a page saved whole.
bool IsArchiveType(std::string_view mimeType);

// The archive in bytes; nullopt when they hold no part. MIME's own rules (headers folded
// over lines, quoted-printable and base64) are GMime's, a library of the desktop's.
std::optional<MimeArchive> ReadMimeArchive(std::string_view bytes);

}  // namespace quorvane

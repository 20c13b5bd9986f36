#include "engine/mime_archive.h"

#include <gmime/gmime.h>

#include <memory>
#include <mutex>

#include "base/ascii.h"
#include "engine/resolved_address.h"

namespace quorvane {
namespace {

struct ObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using Owned = std::unique_ptr<T, ObjectUnref>;

struct GFree {
    void operator()(char* text) const { g_free(text); }
};

std::string OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

// GMime is made ready once for the process, from whichever thread reads first.
void EnsureGMime() {
    static std::once_flag ready;
    std::call_once(ready, [] { g_mime_init(); });
}

std::string MimeTypeOf(GMimeObject* object) {
    const std::unique_ptr<char, GFree> type(
        g_mime_content_type_get_mime_type(g_mime_object_get_content_type(object)));
    std::string folded = OrEmpty(type.get());
    for (char& c : folded) {
        c = LowerAscii(c);
    }
    return folded;
}

std::string DecodedContent(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (content == nullptr) {
        return {};
    }
    const Owned<GMimeStream> decoded(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, decoded.get()) < 0) {
        return {};
    }
    const GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(decoded.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

// A relative Content-Location is read against the base its multipart gives (RFC 2557 4.4).
std::string Located(const std::string& base, const std::string& location) {
    if (location.empty() || base.empty()) {
        return location;
    }
    return ResolvedAddress(base, location).value_or(location);
}

std::string BaseOf(GMimeObject* object, const std::string& outerBase) {
    std::string base = OrEmpty(g_mime_object_get_header(object, "Content-Base"));
    if (base.empty()) {
        base = OrEmpty(g_mime_object_get_header(object, "Content-Location"));
    }
    return base.empty() ? outerBase : Located(outerBase, base);
}

// The Content-ID as it stands, without its angle brackets: GMime reads it as a mail address,
// which the IDs of RFC 2557's own examples ("<foo3@foo1@bar.net>") are not.
std::string ContentIdOf(GMimeObject* object) {
    std::string id = OrEmpty(g_mime_object_get_header(object, "Content-ID"));
    const std::size_t start = id.find_first_not_of(" \t\r\n");
    const std::size_t end = id.find_last_not_of(" \t\r\n");
    id = start == std::string::npos ? std::string() : id.substr(start, end - start + 1);
    if (id.size() >= 2 && id.front() == '<' && id.back() == '>') {
        id = id.substr(1, id.size() - 2);
    }
    return id;
}

class PartCollector {
  public:
    explicit PartCollector(MimeArchive& archive) : archive_(archive) {}

    void Collect(GMimeObject* object, const std::string& base, int depth) {
        if (archive_.parts.size() >= kMaxArchiveParts) {
            return;
        }
        if (GMIME_IS_MULTIPART(object)) {
            if (depth < kMaxArchiveDepth) {
                CollectMultipart(GMIME_MULTIPART(object), BaseOf(object, base), depth + 1);
            }
        } else if (GMIME_IS_PART(object)) {
            Add(GMIME_PART(object), base);
        }
    }

  private:
    void CollectMultipart(GMimeMultipart* multipart, const std::string& base, int depth) {
        const int count = g_mime_multipart_get_count(multipart);
        for (int i = 0; i < count; ++i) {
            Collect(g_mime_multipart_get_part(multipart, i), base, depth);
        }
    }

    void Add(GMimePart* part, const std::string& base) {
        GMimeObject* object = GMIME_OBJECT(part);
        archive_.parts.push_back(
            ArchivePart{Located(base, OrEmpty(g_mime_part_get_content_location(part))),
                        ContentIdOf(object), MimeTypeOf(object),
                        OrEmpty(g_mime_object_get_content_type_parameter(object, "charset")),
                        DecodedContent(part)});
    }

    MimeArchive& archive_;
};

// The start parameter names the root by its Content-ID, in angle brackets.
std::size_t RootPart(const MimeArchive& archive, std::string start) {
    if (start.size() >= 2 && start.front() == '<' && start.back() == '>') {
        start = start.substr(1, start.size() - 2);
    }
    for (std::size_t i = 0; !start.empty() && i < archive.parts.size(); ++i) {
        if (archive.parts[i].contentId == start) {
            return i;
        }
    }
    return 0;
}

}  // namespace

bool IsArchiveType(std::string_view mimeType) {
    return EqualsNoCase(mimeType, "multipart/related") ||
           EqualsNoCase(mimeType, "application/x-mimearchive") ||
           EqualsNoCase(mimeType, "message/rfc822");
}

std::optional<MimeArchive> ReadMimeArchive(std::string_view bytes) {
    EnsureGMime();
    const Owned<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    const Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    const Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    // Text of no type of its own (a page, not an archive) would be read as a text part.
    GMimeObject* body = message ? g_mime_message_get_mime_part(message.get()) : nullptr;
    if (body == nullptr || g_mime_object_get_header(body, "Content-Type") == nullptr) {
        return std::nullopt;
    }
    MimeArchive archive;
    PartCollector(archive).Collect(body, BaseOf(GMIME_OBJECT(message.get()), {}), 0);
    if (archive.parts.empty()) {
        return std::nullopt;
    }
    archive.root =
        RootPart(archive, OrEmpty(g_mime_object_get_content_type_parameter(body, "start")));
    return archive;
}

}  // namespace quorvane

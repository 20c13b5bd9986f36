#include "inspection/served_source_text.h"

#include <glib.h>

#include <array>
#include <cerrno>
#include <optional>
#include <utility>

#include "analysis/text_search.h"
#include "inspection/document_charset.h"

namespace quorvane {
namespace {

constexpr std::string_view kUtf8 = "UTF-8";

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// bytes cut at limit, backed off to the start of the character the cut would split.
std::string_view CutUtf8(std::string_view bytes, std::size_t limit) {
    if (bytes.size() <= limit) {
        return bytes;
    }
    std::size_t end = limit;
    for (int back = 0; back < 3 && end > 0 && IsUtf8Continuation(bytes[end]); ++back) {
        --end;
    }
    return bytes.substr(0, IsUtf8Continuation(bytes[end]) ? limit : end);
}

// Owns an iconv descriptor.
class Converter {
  public:
    explicit Converter(const std::string& from) : iconv_(g_iconv_open("UTF-8", from.c_str())) {}
    ~Converter() {
        if (Opened()) {
            g_iconv_close(iconv_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Opened() const { return iconv_ != reinterpret_cast<GIConv>(-1); }

    // bytes in UTF-8. A byte that starts no character of the encoding is kept as it is;
    // a character the cut at the end split is left out.
    std::string Convert(std::string_view bytes, bool cutAtEnd) {
        std::string out;
        out.reserve(bytes.size() + bytes.size() / 4);
        std::array<char, 64 * 1024> chunk{};
        char* in = const_cast<char*>(bytes.data());
        gsize inLeft = bytes.size();
        while (inLeft > 0) {
            char* outAt = chunk.data();
            gsize outLeft = chunk.size();
            const gsize result = g_iconv(iconv_, &in, &inLeft, &outAt, &outLeft);
            out.append(chunk.data(), chunk.size() - outLeft);
            if (result != static_cast<gsize>(-1) || errno == E2BIG) {
                continue;
            }
            if (errno == EINVAL && cutAtEnd) {
                break;
            }
            // EILSEQ, or an incomplete character at the page's own end.
            out += *in;
            ++in;
            --inLeft;
            g_iconv(iconv_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

  private:
    GIConv iconv_;
};

// The encoding to read bytes in, and how many leading bytes are a byte-order mark.
std::pair<std::string, std::size_t> ChooseEncoding(std::string_view bytes,
                                                   std::string_view responseCharset) {
    if (const std::optional<ByteOrderMark> mark = ByteOrderMarkOf(bytes)) {
        return {mark->encoding, mark->length};
    }
    if (!responseCharset.empty()) {
        return {EncodingForLabel(responseCharset), 0};
    }
    if (const std::optional<std::string> declared = DeclaredCharset(bytes)) {
        // A page that says it is UTF-16 in its own bytes cannot be: those are ASCII.
        const std::string encoding = EncodingForLabel(*declared);
        return {encoding.starts_with("UTF-16") ? std::string(kUtf8) : encoding, 0};
    }
    return {std::string(kUtf8), 0};
}

// UTF-8 is shown as it came, and so is a page in an encoding iconv does not know: nullopt.
std::optional<std::string> ConvertToUtf8(std::string_view bytes, const std::string& encoding,
                                         bool cutAtEnd) {
    if (encoding == kUtf8) {
        return std::nullopt;
    }
    Converter converter(encoding);
    if (!converter.Opened()) {
        return std::nullopt;
    }
    return converter.Convert(bytes, cutAtEnd);
}

std::string CutNote(std::size_t shown, std::size_t size) {
    return "\n[The page goes on: only its first " + std::to_string(shown) + " of " +
           std::to_string(size) + " bytes are shown.]\n";
}

}  // namespace

bool IsTextResource(std::string_view mimeType, std::string_view bytes) {
    if (mimeType.empty()) {
        constexpr std::size_t kSniffed = 1024;
        return bytes.substr(0, kSniffed).find('\0') == std::string_view::npos;
    }
    constexpr std::array<std::string_view, 6> kTextTypes = {
        "application/xml",        "application/json",         "application/javascript",
        "application/ecmascript", "application/x-javascript", "application/xhtml+xml"};
    const std::string_view type = mimeType.substr(0, mimeType.find(';'));
    if (type.size() >= 5 && EqualsNoCase(type.substr(0, 5), "text/")) {
        return true;
    }
    for (const std::string_view textType : kTextTypes) {
        if (EqualsNoCase(type, textType)) {
            return true;
        }
    }
    return EndsWith(type, "+xml") || EndsWith(type, "+json");
}

ServedSourceText DecodeServedSource(std::string_view bytes, std::string_view mimeType,
                                    std::string_view responseCharset, std::size_t limit) {
    if (!IsTextResource(mimeType, bytes)) {
        return {std::string(mimeType.empty() ? "unknown type" : mimeType) + ", " +
                    std::to_string(bytes.size()) + " bytes (not text)",
                "", false, false};
    }
    auto [encoding, markLength] = ChooseEncoding(bytes, responseCharset);
    const std::string_view body = bytes.substr(markLength);
    const bool cut = body.size() > limit;
    ServedSourceText result{{}, encoding, true, cut};
    if (std::optional<std::string> converted =
            ConvertToUtf8(body.substr(0, limit), encoding, cut)) {
        result.text = std::move(*converted);
    } else {
        result.encoding = kUtf8;
        result.text = CutUtf8(body, limit);
    }
    if (cut) {
        result.text += CutNote(limit, body.size());
    }
    return result;
}

}  // namespace quorvane

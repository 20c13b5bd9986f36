#include "inspection/served_source_text.h"

#include <array>

#include "base/text_search.h"
#include "desktop/translation.h"
#include "inspection/document_charset.h"
#include "inspection/text_decoding.h"

namespace quorvane {
namespace {

std::string CutNote(std::size_t shown, std::size_t size) {
    return "\n[" +
           Translated("The page goes on: only its first {1} of {2} bytes are shown.",
                      {std::to_string(shown), std::to_string(size)}) +
           "]\n";
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
        return {Translated("{1}, {2} bytes (not text)",
                           {mimeType.empty() ? Translated("unknown type") : std::string(mimeType),
                            std::to_string(bytes.size())}),
                "", false, false};
    }
    const DocumentEncoding chosen = ChooseDocumentEncoding(bytes, responseCharset);
    const std::string_view body = bytes.substr(chosen.markLength);
    const bool cut = body.size() > limit;
    ServedSourceText result{DecodeToUtf8(body.substr(0, limit), chosen.encoding, cut),
                            std::string(chosen.encoding.name), true, cut};
    if (cut) {
        result.text += CutNote(limit, body.size());
    }
    return result;
}

}  // namespace quorvane

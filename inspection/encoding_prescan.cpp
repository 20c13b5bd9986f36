#include "inspection/encoding_prescan.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "base/text_search.h"
#include "inspection/markup_tokens.h"

namespace quorvane {
namespace {

using namespace std::string_view_literals;

constexpr std::size_t kPrescanned = 1024;

// An attribute as the prescan reads it: name and value ASCII-lowercased, a value unquoted
// only by a quote that opens it (so `charset=utf-8"` keeps its quote and names nothing).
struct Attribute {
    std::string name;
    std::string value;
};

// Where a meta element's charset came from: the standard's "need pragma".
enum class CharsetSource { None, ContentAttribute, CharsetAttribute };

bool StartsMeta(std::string_view rest) {
    return rest.size() >= 6 && EqualsNoCase(rest.substr(0, 5), "<meta") &&
           (IsMarkupSpace(rest[5]) || rest[5] == '/');
}

bool StartsTag(std::string_view rest) {
    const std::size_t nameAt = rest.starts_with("</") ? 2 : 1;
    return rest.size() > nameAt && rest[0] == '<' && IsAsciiLetter(rest[nameAt]);
}

// The HTML standard's prescan, byte by byte from the front. The standard reads these
// bytes by rules of their own, not the tokenizer's, so this is no use of the markup
// tokenizer: values, quotes and comments are read here as browsers read them before
// the page. A step that runs out of bytes ends the prescan without an encoding.
class Prescan {
  public:
    explicit Prescan(std::string_view bytes) : bytes_(bytes.substr(0, kPrescanned)) {}

    std::optional<WebEncoding> Run() {
        if (bytes_.starts_with("<\0?\0x\0"sv)) {
            return EncodingForLabel("utf-16le");
        }
        if (bytes_.starts_with("\0<\0?\0x"sv)) {
            return EncodingForLabel("utf-16be");
        }
        for (; !AtEnd(); ++at_) {
            const std::string_view rest = bytes_.substr(at_);
            if (rest.starts_with("<!--")) {
                // The comment's own dashes may close it: "<!-->" is a whole comment.
                MoveTo(bytes_.find("-->", at_ + 2), 2);
            } else if (StartsMeta(rest)) {
                at_ += 5;
                if (std::optional<WebEncoding> encoding = MetaEncoding()) {
                    return encoding;
                }
            } else if (StartsTag(rest)) {
                MoveTo(bytes_.find_first_of(" \t\n\f\r>", at_));
                while (!AtEnd() && NextAttribute()) {
                }
            } else if (rest.starts_with("<!") || rest.starts_with("</") || rest.starts_with("<?")) {
                MoveTo(bytes_.find('>', at_));
            }
        }
        return std::nullopt;
    }

  private:
    bool AtEnd() const { return at_ >= bytes_.size(); }
    char Byte() const { return bytes_[at_]; }
    // Moves to found, past more bytes into it; to the end when the search found nothing.
    void MoveTo(std::size_t found, std::size_t past = 0) {
        at_ = found == std::string_view::npos ? bytes_.size() : found + past;
    }
    void SkipSpaces() {
        while (!AtEnd() && IsMarkupSpace(Byte())) {
            ++at_;
        }
    }

    // The encoding the meta element at at_ declares, its attributes read up to its end;
    // nullopt when it declares none or the bytes run out inside it.
    std::optional<WebEncoding> MetaEncoding() {
        std::vector<std::string> seen;
        bool contentType = false;
        CharsetSource source = CharsetSource::None;
        std::optional<WebEncoding> charset;
        while (std::optional<Attribute> attribute = NextAttribute()) {
            if (std::find(seen.begin(), seen.end(), attribute->name) != seen.end()) {
                continue;
            }
            seen.push_back(attribute->name);
            if (attribute->name == "http-equiv") {
                contentType = contentType || attribute->value == "content-type";
            } else if (attribute->name == "content" && source == CharsetSource::None) {
                if (std::optional<WebEncoding> found = EncodingOfMetaContent(attribute->value)) {
                    charset = found;
                    source = CharsetSource::ContentAttribute;
                }
            } else if (attribute->name == "charset") {
                charset = EncodingForLabel(attribute->value);
                source = CharsetSource::CharsetAttribute;
            }
        }
        if (AtEnd() || !charset || source == CharsetSource::None ||
            (source == CharsetSource::ContentAttribute && !contentType)) {
            return std::nullopt;
        }
        if (charset->name.starts_with("UTF-16")) {
            return kUtf8Encoding;
        }
        if (charset->name == "x-user-defined") {
            return EncodingForLabel("windows-1252");
        }
        return charset;
    }

    // The next attribute of the tag at_ is in; nullopt at the tag's end or the bytes'.
    std::optional<Attribute> NextAttribute() {
        while (!AtEnd() && (IsMarkupSpace(Byte()) || Byte() == '/')) {
            ++at_;
        }
        Attribute attribute;
        for (; !AtEnd(); ++at_) {
            const char c = Byte();
            if (c == '=' && !attribute.name.empty()) {
                ++at_;
                return WithValue(std::move(attribute));
            }
            if (IsMarkupSpace(c)) {
                break;
            }
            if (c == '/' || c == '>') {
                return attribute.name.empty() ? std::nullopt : std::optional(attribute);
            }
            attribute.name += LowerAscii(c);
        }
        SkipSpaces();
        if (AtEnd()) {
            return std::nullopt;
        }
        if (Byte() != '=') {
            return attribute;
        }
        ++at_;
        return WithValue(std::move(attribute));
    }

    std::optional<Attribute> WithValue(Attribute attribute) {
        SkipSpaces();
        if (AtEnd()) {
            return std::nullopt;
        }
        const char first = Byte();
        if (first == '"' || first == '\'') {
            for (++at_; !AtEnd(); ++at_) {
                if (Byte() == first) {
                    ++at_;
                    return attribute;
                }
                attribute.value += LowerAscii(Byte());
            }
            return std::nullopt;
        }
        for (; !AtEnd(); ++at_) {
            if (IsMarkupSpace(Byte()) || Byte() == '>') {
                return attribute;
            }
            attribute.value += LowerAscii(Byte());
        }
        return std::nullopt;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<WebEncoding> PrescannedEncoding(std::string_view bytes) {
    return Prescan(bytes).Run();
}

std::optional<WebEncoding> EncodingOfMetaContent(std::string_view content) {
    constexpr std::string_view kCharset = "charset";
    std::size_t at = 0;
    while (true) {
        at = FindNoCase(content, kCharset, at);
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
        at += kCharset.size();
        while (at < content.size() && IsMarkupSpace(content[at])) {
            ++at;
        }
        if (at < content.size() && content[at] == '=') {
            break;
        }
    }
    ++at;
    while (at < content.size() && IsMarkupSpace(content[at])) {
        ++at;
    }
    if (at == content.size()) {
        return std::nullopt;
    }
    const char first = content[at];
    if (first == '"' || first == '\'') {
        const std::size_t close = content.find(first, at + 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        return EncodingForLabel(content.substr(at + 1, close - at - 1));
    }
    const std::size_t end = content.find_first_of(" \t\n\f\r;", at);
    return EncodingForLabel(content.substr(at, end - at));
}

}  // namespace quorvane

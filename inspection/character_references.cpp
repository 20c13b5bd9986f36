#include "inspection/character_references.h"

#include <array>
#include <cstdint>

#include "base/ascii.h"
#include "base/utf8_append.h"

namespace quorvane {
namespace {

struct NamedReference {
    std::string_view name;
    std::string_view character;
    bool legacy;  // browsers also read it without its ";"
};

constexpr std::array<NamedReference, 6> kNamedReferences = {{
    {"amp", "&", true},
    {"lt", "<", true},
    {"gt", ">", true},
    {"quot", "\"", true},
    {"apos", "'", false},
    {"nbsp", "\xC2\xA0", true},
}};

int DigitValue(char c, bool hex) {
    if (IsAsciiDigit(c)) {
        return c - '0';
    }
    const char lower = LowerAscii(c);
    if (hex && lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

// Reads "&#...;" at pos; returns the length read, 0 when it is none.
std::size_t ReadNumericReference(std::string_view value, std::size_t pos, std::string& out) {
    std::size_t at = pos + 2;
    const bool hex = at < value.size() && LowerAscii(value[at]) == 'x';
    at += hex ? 1 : 0;
    const std::size_t digitsBegin = at;
    std::uint32_t code = 0;
    for (; at < value.size() && DigitValue(value[at], hex) >= 0; ++at) {
        // Past Unicode the number stays past it, however long it goes on.
        code = code > 0x10FFFF ? code : code * (hex ? 16 : 10) + DigitValue(value[at], hex);
    }
    if (at == digitsBegin) {
        return 0;
    }
    // No character (&#0;) reads as the replacement, as a surrogate half or a number past
    // Unicode does.
    AppendUtf8(out, code == 0 ? char32_t{0xFFFD} : char32_t{code});
    return (at < value.size() && value[at] == ';' ? at + 1 : at) - pos;
}

// Reads "&name;" at pos; returns the length read, 0 when it is none.
std::size_t ReadNamedReference(std::string_view value, std::size_t pos, std::string& out) {
    for (const NamedReference& reference : kNamedReferences) {
        const std::size_t nameEnd = pos + 1 + reference.name.size();
        if (value.substr(pos + 1, reference.name.size()) != reference.name) {
            continue;
        }
        if (nameEnd < value.size() && value[nameEnd] == ';') {
            out += reference.character;
            return nameEnd + 1 - pos;
        }
        const bool followedByNameCharacter =
            nameEnd < value.size() && (IsAsciiLetter(value[nameEnd]) ||
                                       IsAsciiDigit(value[nameEnd]) || value[nameEnd] == '=');
        if (reference.legacy && !followedByNameCharacter) {
            out += reference.character;
            return nameEnd - pos;
        }
    }
    return 0;
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    std::size_t pos = 0;
    while (pos < value.size()) {
        const std::size_t amp = value.find('&', pos);
        if (amp == std::string_view::npos) {
            out += value.substr(pos);
            break;
        }
        out += value.substr(pos, amp - pos);
        const bool numeric = amp + 1 < value.size() && value[amp + 1] == '#';
        const std::size_t read =
            numeric ? ReadNumericReference(value, amp, out) : ReadNamedReference(value, amp, out);
        if (read == 0) {
            out += '&';
            pos = amp + 1;
        } else {
            pos = amp + read;
        }
    }
    return out;
}

}  // namespace quorvane

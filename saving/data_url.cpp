#include "saving/data_url.h"

#include <cstdint>

#include "base/address_scheme.h"
#include "base/ascii.h"

namespace quorvane {
namespace {

constexpr std::string_view kScheme = "data:";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n\f") - first + 1);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

// Base64 as browsers read it in data: addresses: blanks anywhere, "=" padding only at
// the end and optional. Not g_base64_decode: it passes over characters outside the
// alphabet and "=" anywhere, where a browser refuses the whole address.
std::optional<std::string> Base64Decoded(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f') {
            digits += c;
        }
    }
    if (digits.size() % 4 == 0 && digits.ends_with('=')) {
        digits.pop_back();
        if (digits.ends_with('=')) {
            digits.pop_back();
        }
    }
    if (digits.size() % 4 == 1) {
        return std::nullopt;
    }
    std::string bytes;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : digits) {
        const int value = Base64Value(c);
        if (value < 0) {
            return std::nullopt;
        }
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return bytes;
}

}  // namespace

// Not g_uri_unescape_string: it gives up on the whole text at a "%" without two hex
// digits after it or at an escaped NUL, where a browser keeps such a "%" as it is and
// decodes the rest.
std::string PercentDecoded(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

bool IsDataUrl(std::string_view address) {
    return LeadingSchemeOf(address).scheme == Scheme::Data;
}

std::string DataUrlMediaType(std::string_view address) {
    if (!IsDataUrl(address)) {
        return {};
    }
    address.remove_prefix(kScheme.size());
    const std::size_t comma = address.find(',');
    if (comma == std::string_view::npos) {
        return {};
    }
    const std::string_view header = address.substr(0, comma);
    std::string mediaType(Trimmed(header.substr(0, header.find(';'))));
    return mediaType.find('/') == std::string::npos ? "text/plain" : mediaType;
}

std::optional<DataUrlContent> DecodeDataUrl(std::string_view address) {
    if (!IsDataUrl(address)) {
        return std::nullopt;
    }
    address.remove_prefix(kScheme.size());
    const std::size_t comma = address.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view header = Trimmed(address.substr(0, comma));
    const std::string data = PercentDecoded(address.substr(comma + 1));
    bool base64 = false;
    if (const std::size_t semicolon = header.rfind(';');
        semicolon != std::string_view::npos &&
        EqualsNoCase(Trimmed(header.substr(semicolon + 1)), "base64")) {
        base64 = true;
        header = header.substr(0, semicolon);
    }
    std::string mediaType(Trimmed(header.substr(0, header.find(';'))));
    if (mediaType.find('/') == std::string::npos) {
        mediaType = "text/plain";
    }
    if (!base64) {
        return DataUrlContent{mediaType, data};
    }
    std::optional<std::string> bytes = Base64Decoded(data);
    if (!bytes) {
        return std::nullopt;
    }
    return DataUrlContent{mediaType, std::move(*bytes)};
}

}  // namespace quorvane

#include "main_window/address_to_load.h"

#include <string_view>

#include "analysis/address_scheme.h"
#include "analysis/text_search.h"

namespace quorvane {
namespace {

// Percent-encodes every byte a file URL's path may not hold as it is.
std::string FileUrl(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr std::string_view kKept = "-_.!~*'()/:@&=+$,";
    std::string url = "file://";
    for (const char c : path) {
        if (IsAsciiLetter(c) || IsAsciiDigit(c) || kKept.find(c) != std::string_view::npos) {
            url += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

}  // namespace

std::string AddressToLoad(const std::string& addressOrPath) {
    if (addressOrPath.empty() || LeadingSchemeOf(addressOrPath).scheme != Scheme::None) {
        return addressOrPath;
    }
    if (addressOrPath.front() == '/') {
        return FileUrl(addressOrPath);
    }
    return "http://" + addressOrPath;
}

std::string TypedAddress(const std::string& typed) {
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    const std::size_t first = typed.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return {};
    }
    return typed.substr(first, typed.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace quorvane

#include "analysis/url_helpers.h"

#include "analysis/text_search.h"

namespace quorvane {

namespace {
constexpr std::string_view kScheme = "http://";
}

std::string GetUrlDirectory(std::string address) {
    std::string s = std::move(address);
    const bool hadScheme = ContainsNoCase(s, kScheme);
    if (hadScheme) {
        s = ReplaceAllNoCase(s, kScheme, "");
    }
    if (!s.empty() && s.back() == '/') {
        s.pop_back();
    }
    const std::size_t lastSlash = s.rfind('/');
    std::string d = lastSlash == std::string::npos ? std::string() : s.substr(0, lastSlash + 1);
    if (hadScheme) {
        d.insert(0, kScheme);
    }
    // A bare "https://" is no directory either: the address itself is the top.
    if (d.empty() || d == kScheme || SchemePrefixLength(d) == d.size()) {
        return s + "/";
    }
    return d;
}

std::string GetUrlFileName(std::string address) {
    std::string s = ReplaceAllNoCase(address, kScheme, "");
    const std::size_t lastSlash = s.rfind('/');
    if (lastSlash != std::string::npos) {
        s.erase(0, lastSlash + 1);
    }
    s = ReplaceAllNoCase(s, " border=", "");
    return ReplaceAllExact(s, "\"", "");
}

std::size_t SchemePrefixLength(std::string_view address) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isSchemeChar = [&](char c) {
        return isLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    };
    if (address.empty() || !isLetter(address.front())) {
        return 0;
    }
    std::size_t end = 1;
    while (end < address.size() && isSchemeChar(address[end])) {
        ++end;
    }
    return address.substr(end, 3) == "://" ? end + 3 : 0;
}

}  // namespace quorvane

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
    if (d.empty() || d == kScheme) {
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

}  // namespace quorvane

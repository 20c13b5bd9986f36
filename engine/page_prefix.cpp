#include "engine/page_prefix.h"

namespace quorvane {

namespace {

// Where the markup starting at position i ends, just past its last byte; page.size() when
// it runs past the end. A tag's quoted attribute values may hold '>' and '<'.
std::size_t MarkupEnd(std::string_view page, std::size_t i) {
    if (page.substr(i, 4) == "<!--") {
        const std::size_t end = page.find("-->", i + 4);
        return end == std::string_view::npos ? page.size() : end + 3;
    }
    char quote = 0;
    for (++i; i < page.size(); ++i) {
        const char c = page[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return page.size();
}

}  // namespace

// Text between tags is cut only where a tag starts: a character reference and a character
// of several bytes both end before a '<', which is a byte of its own in UTF-8.
std::string_view PagePrefix(std::string_view page, std::size_t maxBytes) {
    if (page.size() <= maxBytes) {
        return page;
    }
    std::size_t cut = 0;
    std::size_t i = page.find('<');
    while (i != std::string_view::npos && i <= maxBytes) {
        cut = i;
        i = page.find('<', MarkupEnd(page, i));
    }
    return page.substr(0, cut);
}

}  // namespace quorvane

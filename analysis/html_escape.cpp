#include "analysis/html_escape.h"

#include <algorithm>

namespace quorvane {

namespace {

std::string_view ReferenceFor(char c, bool inAttribute, bool equalsToo) {
    switch (c) {
        case '<':
            return "&lt;";
        case '\'':
            return inAttribute ? "&#39;" : std::string_view();
        case '=':
            return equalsToo ? "&#61;" : std::string_view();
        default:
            return {};
    }
}

std::string Escape(std::string_view text, bool inAttribute, bool equalsToo) {
    // Most names and addresses hold nothing to escape.
    const auto escaped = [&](char c) { return !ReferenceFor(c, inAttribute, equalsToo).empty(); };
    if (std::none_of(text.begin(), text.end(), escaped)) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const std::string_view reference = ReferenceFor(c, inAttribute, equalsToo);
        if (reference.empty()) {
            result.push_back(c);
        } else {
            result.append(reference);
        }
    }
    return result;
}

}  // namespace

std::string EscapeInsertedText(std::string_view text) {
    return Escape(text, false, false);
}

std::string EscapeInsertedAttribute(std::string_view value) {
    return Escape(value, true, false);
}

std::string EscapeLinkedAddress(std::string_view address) {
    return Escape(address, true, true);
}

}  // namespace quorvane

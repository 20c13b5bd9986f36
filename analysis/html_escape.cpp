#include "analysis/html_escape.h"

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
    const std::string_view escapedBytes = !inAttribute ? "<" : equalsToo ? "<'=" : "<'";
    if (text.find_first_of(escapedBytes) == std::string_view::npos) {
        return std::string(text);
    }
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const std::string_view reference = ReferenceFor(c, inAttribute, equalsToo);
        if (reference.empty()) {
            escaped.push_back(c);
        } else {
            escaped.append(reference);
        }
    }
    return escaped;
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

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

void AppendEscaped(std::string& out, std::string_view text, bool inAttribute, bool equalsToo) {
    std::size_t done = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::string_view reference = ReferenceFor(text[at], inAttribute, equalsToo);
        if (!reference.empty()) {
            out.append(text.substr(done, at - done)).append(reference);
            done = at + 1;
        }
    }
    out.append(text.substr(done));
}

std::string Escape(std::string_view text, bool inAttribute, bool equalsToo) {
    std::string result;
    result.reserve(text.size());
    AppendEscaped(result, text, inAttribute, equalsToo);
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

void AppendInsertedText(std::string& out, std::string_view text) {
    AppendEscaped(out, text, false, false);
}

void AppendInsertedAttribute(std::string& out, std::string_view value) {
    AppendEscaped(out, value, true, false);
}

void AppendLinkedAddress(std::string& out, std::string_view address) {
    AppendEscaped(out, address, true, true);
}

}  // namespace quorvane

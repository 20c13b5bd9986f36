#include "requests/json_writer.h"

#include <charconv>
#include <cmath>

namespace quorvane {
namespace {

// The bytes at the start of text that make one step: a whole UTF-8 sequence, or the
// broken start of one (the lead byte and the continuation bytes that fit it) that one
// U+FFFD stands for. The ranges are UTF-8's own, without overlong forms or surrogates.
struct Utf8Step {
    std::size_t length = 1;
    bool whole = true;
};

Utf8Step NextUtf8Step(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t following = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80) {
        return {};
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return {.length = 1, .whole = false};
    }
    for (std::size_t at = 1; at <= following; ++at) {
        const auto byte = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
        if (at >= text.size() || byte < low || byte > high) {
            return {.length = at, .whole = false};
        }
        low = 0x80;
        high = 0xBF;
    }
    return {.length = following + 1, .whole = true};
}

void AppendEscapedAscii(std::string& out, char c) {
    switch (c) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\b':
            out += "\\b";
            return;
        case '\f':
            out += "\\f";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\u00";
        out += kHex[(c >> 4) & 0xF];
        out += kHex[c & 0xF];
    } else {
        out += c;
    }
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    while (!text.empty()) {
        const Utf8Step step = NextUtf8Step(text);
        if (!step.whole) {
            out += "\xEF\xBF\xBD";
        } else if (step.length == 1) {
            AppendEscapedAscii(out, text[0]);
        } else {
            out.append(text.substr(0, step.length));
        }
        text.remove_prefix(step.length);
    }
    out += '"';
}

void JsonWriter::BeforeValue() {
    if (!afterKey_ && !firstInside_) {
        out_ += ',';
    }
    BreakIfAsked();
    afterKey_ = false;
    firstInside_ = false;
}

JsonWriter& JsonWriter::OpenObject() {
    BeforeValue();
    out_ += '{';
    closers_.push_back('}');
    firstInside_ = true;
    return *this;
}

JsonWriter& JsonWriter::OpenArray() {
    BeforeValue();
    out_ += '[';
    closers_.push_back(']');
    firstInside_ = true;
    return *this;
}

void JsonWriter::BreakIfAsked() {
    if (breakAsked_) {
        out_ += '\n';
        breakAsked_ = false;
    }
}

JsonWriter& JsonWriter::Close() {
    BreakIfAsked();
    out_ += closers_.back();
    closers_.pop_back();
    firstInside_ = false;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    BeforeValue();
    AppendJsonString(out_, name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    BeforeValue();
    AppendJsonString(out_, text);
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return *this;
    }
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, end);
    return *this;
}

JsonWriter& JsonWriter::Integer(std::int64_t value) {
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::LineBreak() {
    breakAsked_ = true;
    return *this;
}

}  // namespace quorvane

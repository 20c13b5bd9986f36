#include "inspection/element_text_end.h"

#include "base/ascii.h"
#include "inspection/markup_tokens.h"

namespace quorvane {
namespace {

// What ends a tag's name. The tokenizer never sees a CR (it is made LF first); here it
// counts as the white space it becomes, so that the source's own bytes can be read.
bool EndsTagName(char c) {
    return IsMarkupSpace(c) || c == '/' || c == '>';
}

std::size_t LettersEnd(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsAsciiLetter(text[pos])) {
        ++pos;
    }
    return pos;
}

// Whether the ASCII letters from pos on spell name, followed by what ends a tag's name:
// the test of the "appropriate end tag" and of the double escape start and end states.
bool IsNameAt(std::string_view text, std::size_t pos, std::string_view name) {
    const std::size_t end = LettersEnd(text, pos);
    return end < text.size() && EqualsNoCase(text.substr(pos, end - pos), name) &&
           EndsTagName(text[end]);
}

bool IsEndTagAt(std::string_view text, std::size_t pos, std::string_view name) {
    return text.substr(pos, 2) == "</" && IsNameAt(text, pos + 2, name);
}

// The script data states of the tokenizer that decide where a script ends. The
// less-than sign, end tag and double escape start and end states are read ahead at each
// "<" rather than a byte at a time; the letters they read change no state.
enum class ScriptState {
    ScriptData,
    Escaped,
    EscapedDash,
    EscapedDashDash,
    DoubleEscaped,
    DoubleEscapedDash,
    DoubleEscapedDashDash,
};

bool IsDoubleEscaped(ScriptState state) {
    return state == ScriptState::DoubleEscaped || state == ScriptState::DoubleEscapedDash ||
           state == ScriptState::DoubleEscapedDashDash;
}

// The state after a byte other than "<".
ScriptState AfterByte(ScriptState state, char c) {
    switch (state) {
        case ScriptState::ScriptData:
            return state;
        case ScriptState::Escaped:
        case ScriptState::EscapedDash:
            if (c == '-') {
                return state == ScriptState::Escaped ? ScriptState::EscapedDash
                                                     : ScriptState::EscapedDashDash;
            }
            return ScriptState::Escaped;
        case ScriptState::EscapedDashDash:
            return c == '-' ? state : c == '>' ? ScriptState::ScriptData : ScriptState::Escaped;
        case ScriptState::DoubleEscaped:
        case ScriptState::DoubleEscapedDash:
            if (c == '-') {
                return state == ScriptState::DoubleEscaped ? ScriptState::DoubleEscapedDash
                                                           : ScriptState::DoubleEscapedDashDash;
            }
            return ScriptState::DoubleEscaped;
        case ScriptState::DoubleEscapedDashDash:
            return c == '-'   ? state
                   : c == '>' ? ScriptState::ScriptData
                              : ScriptState::DoubleEscaped;
    }
    return state;
}

// Reads the "<" at pos that is no end tag of the script: sets the state it leads to and
// returns where reading goes on.
std::size_t AfterLessThan(std::string_view text, std::size_t pos, ScriptState& state) {
    if (state == ScriptState::ScriptData) {
        // Script data less-than sign, escape start and escape start dash states.
        if (text.substr(pos, 4) == "<!--") {
            state = ScriptState::EscapedDashDash;
            return pos + 4;
        }
        return pos + 1;
    }
    const bool slash = pos + 1 < text.size() && text[pos + 1] == '/';
    if (IsDoubleEscaped(state)) {
        // Double escaped less-than sign and double escape end states: "</script" goes
        // back to the escaped state.
        const std::size_t nameBegin = pos + (slash ? 2 : 1);
        const std::size_t nameEnd = slash ? LettersEnd(text, nameBegin) : nameBegin;
        if (slash && IsNameAt(text, nameBegin, "script")) {
            state = ScriptState::Escaped;
            return nameEnd + 1;
        }
        state = ScriptState::DoubleEscaped;
        return nameEnd;
    }
    // Escaped less-than sign, escaped end tag open and double escape start states:
    // "<script" makes the escape double.
    state = ScriptState::Escaped;
    if (slash) {
        return pos + 2;
    }
    if (IsNameAt(text, pos + 1, "script")) {
        state = ScriptState::DoubleEscaped;
        return LettersEnd(text, pos + 1) + 1;
    }
    return LettersEnd(text, pos + 1);
}

}  // namespace

std::size_t RawTextEnd(std::string_view text, std::size_t pos, std::string_view name) {
    for (std::size_t open = text.find("</", pos); open != std::string_view::npos;
         open = text.find("</", open + 2)) {
        if (IsNameAt(text, open + 2, name)) {
            return open;
        }
    }
    return text.size();
}

std::size_t ScriptDataEnd(std::string_view text, std::size_t pos) {
    ScriptState state = ScriptState::ScriptData;
    while (pos < text.size()) {
        if (state == ScriptState::ScriptData && text[pos] != '<') {
            // Only a "<" matters here.
            pos = text.find('<', pos);
            if (pos == std::string_view::npos) {
                break;
            }
        }
        if (text[pos] != '<') {
            state = AfterByte(state, text[pos]);
            ++pos;
            continue;
        }
        if (!IsDoubleEscaped(state) && IsEndTagAt(text, pos, "script")) {
            return pos;
        }
        pos = AfterLessThan(text, pos, state);
    }
    return text.size();
}

}  // namespace quorvane

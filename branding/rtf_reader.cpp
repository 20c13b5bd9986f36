#include "branding/rtf_reader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "base/ascii.h"
#include "base/utf8_append.h"
#include "branding/code_page.h"
#include "branding/rtf_words.h"

namespace quorvane {

std::optional<RtfColour> RtfDocument::ColourOf(const RtfCharFormat& format) const {
    if (format.colourIndex < 0 || static_cast<std::size_t>(format.colourIndex) >= colours.size()) {
        return std::nullopt;
    }
    return colours[static_cast<std::size_t>(format.colourIndex)];
}

namespace {

// Deeper nesting than this shares the innermost state, so hostile input can't
// grow the stack without bound.
constexpr std::size_t kMaxDepth = 200;
constexpr std::size_t kMaxWordLength = 32;
constexpr int kMaxParameterDigits = 10;

enum class Destination { Body, ColourTable, Skipped };

// What a group inherits from the group around it.
struct GroupState {
    RtfCharFormat format;
    bool centred = false;
    int unicodeSkip = 1;  // \ucN: characters that stand in for each \uN
    Destination destination = Destination::Body;
};

class RtfParser {
  public:
    explicit RtfParser(std::string_view text) : text_(text) { states_.emplace_back(); }

    RtfDocument Parse() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                ReadControl();
            } else if (c == '\t') {
                Character(U'\t');
            } else if (c != '\r' && c != '\n') {
                Byte(static_cast<unsigned char>(c));
            }
        }
        utf8_.Finish([this](char32_t character) { Character(character); });
        EndParagraph(false);
        return std::move(document_);
    }

  private:
    GroupState& State() { return states_.back(); }

    void OpenGroup() {
        pendingSkip_ = 0;
        if (states_.size() >= kMaxDepth) {
            ++sharedDepth_;
        } else {
            states_.push_back(State());
        }
    }

    void CloseGroup() {
        pendingSkip_ = 0;
        if (sharedDepth_ > 0) {
            --sharedDepth_;
        } else if (states_.size() > 1) {
            states_.pop_back();
        }
    }

    void ReadControl() {
        if (pos_ >= text_.size()) {
            return;
        }
        const char c = text_[pos_];
        if (IsAsciiLetter(c)) {
            ReadControlWord();
            return;
        }
        ++pos_;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                Character(static_cast<unsigned char>(c));
                break;
            case '~':
                Character(0x00A0);
                break;
            case '_':
                Character(0x2011);
                break;
            case '\t':
                Character(U'\t');
                break;
            case '\r':
            case '\n':
                Word("par", 0, false);
                break;
            case '*':
                State().destination = Destination::Skipped;
                break;
            case '\'':
                ReadHexByte();
                break;
            default:
                break;  // \- optional hyphen and symbols this reader has no use for
        }
    }

    void ReadHexByte() {
        int value = 0;
        for (int digit = 0; digit < 2; ++digit) {
            const int nibble = pos_ < text_.size() ? HexValue(text_[pos_]) : -1;
            if (nibble < 0) {
                return;
            }
            value = value * 16 + nibble;
            ++pos_;
        }
        Byte(static_cast<unsigned char>(value));
    }

    // A byte of text in the document's code page. In UTF-8 a character takes several
    // bytes, and a \uN's stand-ins are counted in bytes.
    void Byte(unsigned char byte) {
        if (codePageNumber_ != CodePage::kUtf8) {
            Character(codePage_->Decode(byte));
        } else if (pendingSkip_ > 0) {
            --pendingSkip_;
        } else {
            utf8_.Feed(byte, [this](char32_t character) { Character(character); });
        }
    }

    void ReadControlWord() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsAsciiLetter(text_[pos_])) {
            ++pos_;
        }
        const std::string_view word = text_.substr(start, std::min(pos_ - start, kMaxWordLength));
        bool negative = false;
        if (pos_ < text_.size() && text_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        long long value = 0;
        int digits = 0;
        while (pos_ < text_.size() && IsAsciiDigit(text_[pos_])) {
            if (digits++ < kMaxParameterDigits) {
                value = value * 10 + (text_[pos_] - '0');
            }
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] == ' ') {
            ++pos_;
        }
        const bool hasParameter = digits > 0;
        Word(word, negative ? -value : value, hasParameter);
    }

    void Word(std::string_view word, long long value, bool hasParameter) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        GroupState& state = State();
        const int parameter = static_cast<int>(std::clamp(value, -100000LL, 100000LL));
        const bool on = !hasParameter || value != 0;
        if (IsSkippedDestination(word)) {
            state.destination = Destination::Skipped;
        } else if (word == "colortbl") {
            if (state.destination == Destination::Body) {
                state.destination = Destination::ColourTable;
            }
        } else if (state.destination == Destination::ColourTable) {
            ColourComponent(word, parameter);
        } else if (word == "ansicpg") {
            utf8_.Finish([this](char32_t character) { Character(character); });
            codePageNumber_ = parameter;
            if (parameter != CodePage::kUtf8) {
                codePage_ = &codePages_.Get(parameter);
            }
        } else if (word == "u") {
            Unicode(value);
        } else if (word == "uc") {
            state.unicodeSkip = std::clamp(parameter, 0, 10);
        } else if (state.destination == Destination::Skipped) {
            return;
        } else {
            BodyWord(word, parameter, on);
        }
    }

    void BodyWord(std::string_view word, int parameter, bool on) {
        RtfCharFormat& format = State().format;
        if (word == "par" || word == "page" || word == "sect") {
            EndParagraph(true);
        } else if (word == "line") {
            Character(U'\n');
        } else if (word == "tab") {
            Character(U'\t');
        } else if (word == "b") {
            format.bold = on;
        } else if (word == "i") {
            format.italic = on;
        } else if (word == "ul") {
            format.underline = on;
        } else if (word == "ulnone") {
            format.underline = false;
        } else if (word == "strike") {
            format.strike = on;
        } else if (word == "fs") {
            format.fontSizeHalfPoints = parameter > 0 ? std::min(parameter, 3276) : 24;
        } else if (word == "cf") {
            format.colourIndex = std::max(parameter, 0);
        } else if (const auto symbol = SymbolWord(word)) {
            Character(*symbol);
        } else if (word == "plain") {
            format = RtfCharFormat();
        } else if (word == "qc") {
            State().centred = true;
        } else if (word == "ql" || word == "qr" || word == "qj" || word == "pard") {
            State().centred = false;
        }
    }

    void ColourComponent(std::string_view word, int parameter) {
        const int component = std::clamp(parameter, 0, 255);
        RtfColour& colour = pendingColour_ ? *pendingColour_ : pendingColour_.emplace();
        if (word == "red") {
            colour.red = component;
        } else if (word == "green") {
            colour.green = component;
        } else if (word == "blue") {
            colour.blue = component;
        }
    }

    // \uN: N is a signed 16-bit number; a surrogate pair arrives as two \u words.
    void Unicode(long long value) {
        if (State().destination != Destination::Skipped) {
            char32_t character =
                value < 0 ? static_cast<char32_t>(value + 65536) : static_cast<char32_t>(value);
            if (value < -32768 || value > 65535) {
                character = 0xFFFD;
            }
            UnicodeCharacter(character);
        }
        pendingSkip_ = State().unicodeSkip;
    }

    void UnicodeCharacter(char32_t character) {
        if (character >= 0xD800 && character <= 0xDBFF) {
            FlushHighSurrogate();
            highSurrogate_ = character;
            return;
        }
        if (character >= 0xDC00 && character <= 0xDFFF && highSurrogate_ != 0) {
            character = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (character - 0xDC00);
            highSurrogate_ = 0;
        }
        Append(character);
    }

    void FlushHighSurrogate() {
        if (highSurrogate_ != 0) {
            highSurrogate_ = 0;
            Append(0xFFFD);
        }
    }

    void Character(char32_t character) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        const Destination destination = State().destination;
        if (destination == Destination::ColourTable) {
            if (character == U';') {
                document_.colours.push_back(pendingColour_);
                pendingColour_.reset();
            }
        } else if (destination == Destination::Body && character != 0) {
            FlushHighSurrogate();
            Append(character);
        }
    }

    void Append(char32_t character) {
        if (character == 0 || (character < 0x20 && character != U'\t' && character != U'\n')) {
            return;
        }
        paragraph_.centred = State().centred;
        auto& runs = paragraph_.runs;
        if (runs.empty() || !(runs.back().format == State().format)) {
            runs.push_back({"", State().format});
        }
        AppendUtf8(runs.back().text, character);
    }

    void EndParagraph(bool always) {
        FlushHighSurrogate();
        if (always || !paragraph_.runs.empty()) {
            paragraph_.centred = State().centred;
            document_.paragraphs.push_back(std::move(paragraph_));
        }
        paragraph_ = RtfParagraph();
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<GroupState> states_;
    std::size_t sharedDepth_ = 0;
    CodePages codePages_;
    const CodePage* codePage_ = &codePages_.Get(CodePage::kWindowsLatin1);
    int codePageNumber_ = CodePage::kWindowsLatin1;
    Utf8Bytes utf8_;
    int pendingSkip_ = 0;
    char32_t highSurrogate_ = 0;
    std::optional<RtfColour> pendingColour_;
    RtfParagraph paragraph_;
    RtfDocument document_;
};

}  // namespace

RtfDocument ReadRtf(std::string_view text) {
    // A help file saved by an editor as UTF-8 may start with a byte order mark, which
    // would otherwise show as three stray characters before the document.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return RtfParser(text).Parse();
}

std::optional<RtfDocument> ReadRtfFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return ReadRtf(text);
}

}  // namespace quorvane

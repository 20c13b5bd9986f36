#include "branding/code_page.h"

#include <iconv.h>

#include <memory>
#include <optional>
#include <string>

namespace quorvane {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct IconvCloser {
    void operator()(iconv_t converter) const { iconv_close(converter); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Converter OpenConverter(int codePage) {
    const std::string from = "CP" + std::to_string(codePage);
    iconv_t converter = iconv_open("UTF-32LE", from.c_str());
    return Converter(converter == reinterpret_cast<iconv_t>(-1) ? nullptr : converter);
}

// The one character a byte stands for; nullopt when the byte alone makes none (a lead
// byte of a double-byte code page, or a byte the code page leaves undefined).
std::optional<char32_t> DecodeAlone(iconv_t converter, unsigned char byte) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    unsigned char out[4] = {};
    char* inPointer = &in;
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) ==
            static_cast<std::size_t>(-1) ||
        inLeft != 0 || outLeft != 0) {
        return std::nullopt;
    }
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

}  // namespace

CodePage::CodePage(int number) : number_(number) {
    Converter converter = OpenConverter(number);
    known_ = converter != nullptr;
    if (!converter) {
        converter = OpenConverter(kWindowsLatin1);
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::optional<char32_t> character =
            converter ? DecodeAlone(converter.get(), static_cast<unsigned char>(byte))
                      : std::nullopt;
        upperHalf_[byte - 0x80] = character.value_or(kReplacement);
    }
}

char32_t CodePage::Decode(unsigned char byte) const {
    return byte < 0x80 ? byte : upperHalf_[byte - 0x80];
}

const CodePage& CodePages::Get(int number) {
    const bool numbered = number >= 0 && static_cast<std::size_t>(number) < unknown_.size();
    if (!numbered || unknown_[static_cast<std::size_t>(number)]) {
        number = CodePage::kWindowsLatin1;
    }
    if (const auto found = built_.find(number); found != built_.end()) {
        return found->second;
    }
    if (number != CodePage::kWindowsLatin1 && ++lookedUp_ > kMaxLookedUp) {
        return Get(CodePage::kWindowsLatin1);
    }
    CodePage page(number);
    if (!page.Known() && number != CodePage::kWindowsLatin1) {
        unknown_[static_cast<std::size_t>(number)] = true;
        return Get(CodePage::kWindowsLatin1);
    }
    return built_.emplace(number, std::move(page)).first->second;
}

}  // namespace quorvane

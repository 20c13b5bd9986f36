#include "inspection/text_decoding.h"

#include <glib.h>

#include <array>
#include <cerrno>

#include "base/utf8_append.h"

namespace quorvane {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// bytes cut at the end of a longer text, backed off to the start of the character the
// cut split.
std::string_view WithoutSplitUtf8(std::string_view bytes) {
    std::size_t end = bytes.size();
    for (int back = 0; back < 4 && end > 0; ++back) {
        const auto lead = static_cast<unsigned char>(bytes[--end]);
        if (!IsUtf8Continuation(bytes[end])) {
            const int length = lead >= 0xF8   ? 1
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 1;
            return length > back + 1 ? bytes.substr(0, end) : bytes;
        }
    }
    return bytes;
}

// The private-use characters x-user-defined gives the bytes 0x80 to 0xFF.
std::string DecodeUserDefined(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            out += byte;
            continue;
        }
        AppendUtf8(out, char32_t{0xF780} + value - 0x80);
    }
    return out;
}

// Owns an iconv descriptor that reads from an encoding into UTF-8.
class Converter {
  public:
    explicit Converter(std::string_view from)
        : iconv_(g_iconv_open("UTF-8", std::string(from).c_str())) {}
    ~Converter() {
        if (Opened()) {
            g_iconv_close(iconv_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Opened() const { return iconv_ != reinterpret_cast<GIConv>(-1); }

    std::string Convert(std::string_view bytes, bool cutAtEnd) {
        std::string out;
        out.reserve(bytes.size() + bytes.size() / 4);
        char* in = const_cast<char*>(bytes.data());
        gsize inLeft = bytes.size();
        while (inLeft > 0) {
            char* outAt = chunk_.data();
            gsize outLeft = chunk_.size();
            const gsize result = g_iconv(iconv_, &in, &inLeft, &outAt, &outLeft);
            out.append(chunk_.data(), chunk_.size() - outLeft);
            if (result != static_cast<gsize>(-1) || errno == E2BIG) {
                continue;
            }
            if (errno == EINVAL && cutAtEnd) {
                break;
            }
            // EILSEQ, or an incomplete character at the text's own end. What the
            // converter holds back (windows-1258 waits for a combining accent) comes
            // before the byte.
            Flush(out);
            out += *in;
            ++in;
            --inLeft;
        }
        Flush(out);
        return out;
    }

  private:
    // Writes out what the converter holds and returns it to its first state.
    void Flush(std::string& out) {
        char* outAt = chunk_.data();
        gsize outLeft = chunk_.size();
        g_iconv(iconv_, nullptr, nullptr, &outAt, &outLeft);
        out.append(chunk_.data(), chunk_.size() - outLeft);
    }

    GIConv iconv_;
    std::array<char, 64 * 1024> chunk_{};
};

}  // namespace

std::string DecodeToUtf8(std::string_view bytes, const WebEncoding& encoding, bool cutAtEnd) {
    if (encoding.name == "replacement") {
        // Browsers refuse the text of these encodings whole: one character says so.
        return bytes.empty() ? std::string() : std::string(kReplacementCharacter);
    }
    if (encoding.name == "x-user-defined") {
        return DecodeUserDefined(bytes);
    }
    if (encoding.iconvName.empty()) {
        return std::string(cutAtEnd ? WithoutSplitUtf8(bytes) : bytes);
    }
    // A system without the converter shows the bytes as they came, as for UTF-8.
    Converter converter(encoding.iconvName);
    return converter.Opened() ? converter.Convert(bytes, cutAtEnd) : std::string(bytes);
}

}  // namespace quorvane

#include "saving/saved_file_name.h"

#include <glib.h>

#include <algorithm>

namespace quorvane {
namespace {

// Where a name's extension begins: ".tar.gz" counts whole, a leading dot does not.
std::size_t ExtensionStart(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return name.size();
    }
    const std::size_t before = name.rfind('.', dot - 1);
    if (before != std::string_view::npos && before > 0 &&
        name.substr(before, dot - before) == ".tar") {
        return before;
    }
    return dot;
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string CutToLength(const std::string& name) {
    if (name.size() <= kMaxSavedNameBytes) {
        return name;
    }
    std::string extension = name.substr(ExtensionStart(name));
    if (extension.size() > kMaxSavedNameBytes / 2) {
        extension.clear();
    }
    std::size_t stem = kMaxSavedNameBytes - extension.size();
    while (stem > 0 && IsUtf8Continuation(name[stem])) {
        --stem;
    }
    return name.substr(0, stem) + extension;
}

// How many bytes at text's start make a control character: C0, DEL, C1, and the marks
// and overrides that change the direction text is shown in (U+061C, U+200E, U+200F,
// U+202A to U+202E, U+2066 to U+2069), which can make "gpj.exe" read "exe.jpg"; 0 for
// anything else.
std::size_t ControlLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (byte(0) < 0x20 || byte(0) == 0x7F) {
        return 1;
    }
    if (text.size() >= 2 && ((byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) ||
                             (byte(0) == 0xD8 && byte(1) == 0x9C))) {
        return 2;
    }
    if (text.size() >= 3 && byte(0) == 0xE2 &&
        ((byte(1) == 0x80 &&
          (byte(2) == 0x8E || byte(2) == 0x8F || (byte(2) >= 0xAA && byte(2) <= 0xAE))) ||
         (byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9))) {
        return 3;
    }
    return 0;
}

// Bytes that are no UTF-8 are shown as each desktop pleases, some not at all: each is
// made "_", as a control character is, so that a cut never meets half a character.
std::string WithReadableCharacters(std::string_view text) {
    std::string name;
    while (!text.empty()) {
        const char* end = nullptr;
        g_utf8_validate_len(text.data(), text.size(), &end);
        const auto valid = static_cast<std::size_t>(end - text.data());
        for (std::size_t i = 0; i < valid;) {
            const std::size_t control = ControlLength(text.substr(i, valid - i));
            name += control > 0 ? '_' : text[i];
            i += std::max<std::size_t>(control, 1);
        }
        if (valid < text.size()) {
            name += '_';
        }
        text.remove_prefix(std::min(valid + 1, text.size()));
    }
    return name;
}

}  // namespace

// Of a name of whole characters, the cut keeps at least half the bytes before the
// extension, so what the leading dots and blanks left never becomes empty or hidden.
std::string SafeFileName(std::string_view suggested, std::string_view fallback) {
    const std::size_t slash = suggested.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        suggested.remove_prefix(slash + 1);
    }
    std::string name = WithReadableCharacters(suggested);
    name.erase(0, name.find_first_not_of(". "));
    name.erase(name.find_last_not_of(' ') + 1);
    return name.empty() ? std::string(fallback) : CutToLength(name);
}

std::string NumberedFileName(const std::string& name, int n) {
    const std::size_t extension = ExtensionStart(name);
    return name.substr(0, extension) + " (" + std::to_string(n) + ")" + name.substr(extension);
}

std::string FreeFileName(const std::string& name,
                         const std::function<bool(const std::string&)>& taken, int firstNumber) {
    // The numbers end somewhere: a folder this full gets the last one, which its
    // exclusive creation then refuses.
    constexpr int kLastNumber = 9999;
    int n = std::clamp(firstNumber, 0, kLastNumber);
    std::string candidate = n == 0 ? name : NumberedFileName(name, n);
    while (n < kLastNumber && taken(candidate)) {
        candidate = NumberedFileName(name, ++n);
    }
    return candidate;
}

}  // namespace quorvane

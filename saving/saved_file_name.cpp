#include "saving/saved_file_name.h"

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

}  // namespace

std::string SafeFileName(std::string_view suggested, std::string_view fallback) {
    const std::size_t slash = suggested.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        suggested.remove_prefix(slash + 1);
    }
    std::string name;
    for (const char c : suggested) {
        const auto byte = static_cast<unsigned char>(c);
        name += byte < 0x20 || byte == 0x7F ? '_' : c;
    }
    name.erase(0, name.find_first_not_of(". "));
    name.erase(name.find_last_not_of(' ') + 1);
    return name.empty() ? std::string(fallback) : CutToLength(name);
}

std::string NumberedFileName(const std::string& name, int n) {
    const std::size_t extension = ExtensionStart(name);
    return name.substr(0, extension) + " (" + std::to_string(n) + ")" + name.substr(extension);
}

std::string FreeFileName(const std::string& name,
                         const std::function<bool(const std::string&)>& taken) {
    // The numbers end somewhere: a folder this full gets the last one, which its
    // exclusive creation then refuses.
    constexpr int kLastNumber = 9999;
    std::string candidate = name;
    for (int n = 1; n <= kLastNumber && taken(candidate); ++n) {
        candidate = NumberedFileName(name, n);
    }
    return candidate;
}

}  // namespace quorvane

#include "saving/whole_page_file.h"

#include "base/ascii.h"
#include "desktop/translation.h"
#include "saving/transfer_messages.h"

namespace quorvane {
namespace {

constexpr std::string_view kExtension = ".mhtml";

bool EndsWithNoCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && EqualsNoCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

bool IsWholePageFileName(std::string_view name) {
    return EndsWithNoCase(name, ".mhtml") || EndsWithNoCase(name, ".mht");
}

// A leading dot is no extension: ".html" is a name of its own.
std::string WholePageFileName(std::string_view name) {
    if (IsWholePageFileName(name)) {
        return std::string(name);
    }
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    return std::string(name) + std::string(kExtension);
}

std::string SizeForDisplay(std::uintmax_t bytes) {
    constexpr const char* kUnits[] = {"kB", "MB", "GB", "TB"};
    if (bytes < 1000) {
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    }
    // Tenths, rounded at the last step only, so that 999,950 bytes read "1.0 MB".
    double value = static_cast<double>(bytes) / 1000;
    std::size_t unit = 0;
    while (value >= 999.95 && unit + 1 < std::size(kUnits)) {
        value /= 1000;
        ++unit;
    }
    const auto tenths = static_cast<std::uintmax_t>(value * 10 + 0.5);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + kUnits[unit];
}

std::string SavedWholePageMessage(const std::filesystem::path& file, std::uintmax_t bytes,
                                  const std::filesystem::path& home) {
    return Translated("Saved {1} ({2}) to {3}", {file.filename().string(), SizeForDisplay(bytes),
                                                 FolderForDisplay(file.parent_path(), home)});
}

}  // namespace quorvane

#include "inspection/encoding_choices.h"

namespace quorvane {
namespace {

constexpr EncodingChoice kChoices[] = {
    {"Unicode", "UTF-8"},
    {"Unicode", "UTF-16LE"},
    {"Unicode", "UTF-16BE"},
    {"Western", "windows-1252"},
    {"Western", "ISO-8859-15"},
    {"Western", "macintosh"},
    {"Central European", "windows-1250"},
    {"Central European", "ISO-8859-2"},
    {"Cyrillic", "windows-1251"},
    {"Cyrillic", "KOI8-R"},
    {"Cyrillic", "KOI8-U"},
    {"Cyrillic", "ISO-8859-5"},
    {"Cyrillic", "IBM866"},
    {"Greek", "windows-1253"},
    {"Greek", "ISO-8859-7"},
    {"Turkish", "windows-1254"},
    {"Hebrew", "windows-1255"},
    {"Hebrew", "ISO-8859-8"},
    {"Arabic", "windows-1256"},
    {"Arabic", "ISO-8859-6"},
    {"Baltic", "windows-1257"},
    {"Baltic", "ISO-8859-13"},
    {"Vietnamese", "windows-1258"},
    {"Thai", "windows-874"},
    {"Chinese, Simplified", "GBK"},
    {"Chinese, Simplified", "gb18030"},
    {"Chinese, Traditional", "Big5"},
    {"Japanese", "Shift_JIS"},
    {"Japanese", "EUC-JP"},
    {"Japanese", "ISO-2022-JP"},
    {"Korean", "EUC-KR"},
};

}  // namespace

std::span<const EncodingChoice> EncodingChoices() {
    return kChoices;
}

}  // namespace quorvane

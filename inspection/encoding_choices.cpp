#include "inspection/encoding_choices.h"

#include "desktop/translation.h"

namespace quorvane {
namespace {

constexpr EncodingChoice kChoices[] = {
    {Translatable("Unicode"), "UTF-8"},
    {Translatable("Unicode"), "UTF-16LE"},
    {Translatable("Unicode"), "UTF-16BE"},
    {Translatable("Western"), "windows-1252"},
    {Translatable("Western"), "ISO-8859-15"},
    {Translatable("Western"), "macintosh"},
    {Translatable("Central European"), "windows-1250"},
    {Translatable("Central European"), "ISO-8859-2"},
    {Translatable("Cyrillic"), "windows-1251"},
    {Translatable("Cyrillic"), "KOI8-R"},
    {Translatable("Cyrillic"), "KOI8-U"},
    {Translatable("Cyrillic"), "ISO-8859-5"},
    {Translatable("Cyrillic"), "IBM866"},
    {Translatable("Greek"), "windows-1253"},
    {Translatable("Greek"), "ISO-8859-7"},
    {Translatable("Turkish"), "windows-1254"},
    {Translatable("Hebrew"), "windows-1255"},
    {Translatable("Hebrew"), "ISO-8859-8"},
    {Translatable("Arabic"), "windows-1256"},
    {Translatable("Arabic"), "ISO-8859-6"},
    {Translatable("Baltic"), "windows-1257"},
    {Translatable("Baltic"), "ISO-8859-13"},
    {Translatable("Vietnamese"), "windows-1258"},
    {Translatable("Thai"), "windows-874"},
    {Translatable("Chinese, Simplified"), "GBK"},
    {Translatable("Chinese, Simplified"), "gb18030"},
    {Translatable("Chinese, Traditional"), "Big5"},
    {Translatable("Japanese"), "Shift_JIS"},
    {Translatable("Japanese"), "EUC-JP"},
    {Translatable("Japanese"), "ISO-2022-JP"},
    {Translatable("Korean"), "EUC-KR"},
};

}  // namespace

std::span<const EncodingChoice> EncodingChoices() {
    return kChoices;
}

}  // namespace quorvane

#include "inspection/encoding_prescan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {
namespace {

std::optional<std::string_view> NameOf(const std::optional<WebEncoding>& encoding) {
    return encoding ? std::optional(encoding->name) : std::nullopt;
}

TEST(PrescannedEncoding, FindsTheFirstMetaThatNamesAnEncodingAsBrowsersDo) {
    using namespace std::string_literals;
    const std::optional<std::string_view> none;
    const std::string padding(1024 - std::string_view("<meta charset=koi8-r>").size(), ' ');
    const struct {
        std::string bytes;
        std::optional<std::string_view> encoding;
    } rows[] = {
        {"<meta charset=\"koi8-r\">", "KOI8-R"},
        {"<META CHARSET=Windows-1254>", "windows-1254"},
        {"<meta charset='  KS_C_5601-1987 '>", "EUC-KR"},
        {"<meta/charset=koi8-r>", "KOI8-R"},
        // A label that names nothing is passed over, and the scan goes on.
        {"<meta charset=\"bogus\"><meta charset=\"iso8859-2\">", "ISO-8859-2"},
        {"<meta charset=utf-7><meta charset=x-sjis>", "Shift_JIS"},
        {"<meta charset=\"utf-32\">", none},
        // An unquoted value runs to a space or '>': a stray quote is part of the label.
        {"<meta charset=iso8859-2\">", none},
        {"<meta charset=iso8859-2\"><meta charset=koi8-r>", "KOI8-R"},
        // The first of two same-named attributes counts.
        {"<meta charset=koi8-r charset=iso-8859-2>", "KOI8-R"},
        // A quoted value may hold '>'.
        {"<meta name=\"a>b\" charset=koi8-r>", "KOI8-R"},
        {"<metacharset=koi8-r>", none},
        // http-equiv, quoted or not, before or after its content.
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">", "KOI8-R"},
        {"<meta http-equiv=content-type content=text/html;charset=gbk>", "GBK"},
        {"<meta content=\"text/html; charset=shift_jis\" http-equiv=\"Content-Type\">",
         "Shift_JIS"},
        {"<meta http-equiv='content-type' content='text/html; charset=\"euc-kr\"'>", "EUC-KR"},
        {"<meta http-equiv=Content-Type content=\"text/html; charset = 'latin5' \">",
         "windows-1254"},
        {"<meta http-equiv=Content-Type content=\"charsetx; charset=koi8-r\">", "KOI8-R"},
        {"<meta http-equiv=Content-Type content=\"text/html; charset='koi8-r\">", none},
        {"<meta http-equiv=Content-Type content=\"text/html; charset=\">", none},
        {"<meta content=\"text/html; charset=koi8-r\">", none},
        {"<meta http-equiv=\"refresh\" content=\"0; charset=koi8-r\">", none},
        // A page's own bytes cannot be UTF-16, and x-user-defined is read as windows-1252.
        {"<meta charset=utf-16>", "UTF-8"},
        {"<meta http-equiv=content-type content=\"text/html; charset=utf-16be\">", "UTF-8"},
        {"<meta charset=x-user-defined>", "windows-1252"},
        {"<meta charset=iso-2022-kr>", "replacement"},
        // Comments, other tags' attributes and declarations hide what they hold.
        {"<!-- <meta charset=koi8-r> --><meta charset=iso-8859-2>", "ISO-8859-2"},
        {"<!-- <meta charset=koi8-r>", none},
        {"<!--><meta charset=koi8-r>", "KOI8-R"},
        {"<div title=\"<meta charset=koi8-r>\"><meta charset=iso-8859-2>", "ISO-8859-2"},
        {"<!DOCTYPE html><?php <meta charset=koi8-r> ?>", none},
        {"</p <meta charset=koi8-r>>", none},
        {"<?xml version=\"1.0\" encoding=\"koi8-r\"?>", none},
        // Script text is not known to the scan: browsers find this one too.
        {"<script>document.write('<meta charset=koi8-r>')</script>", "KOI8-R"},
        // Only the first 1024 bytes are looked at, and a meta they cut names nothing.
        {padding + "<meta charset=koi8-r>", "KOI8-R"},
        {" " + padding + "<meta charset=koi8-r>", none},
        {std::string(1030, ' ') + "<meta charset=koi8-r>", none},
        {"<meta charset=koi8-r", none},
        // An XML declaration in UTF-16 without a byte-order mark.
        {"<\0?\0x\0m\0l\0"s, "UTF-16LE"},
        {"\0<\0?\0x\0m\0l"s, "UTF-16BE"},
        {"<p>caf\xC3\xA9</p>", none},
        {"", none},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NameOf(PrescannedEncoding(row.bytes)), row.encoding) << row.bytes;
    }
}

}  // namespace
}  // namespace quorvane

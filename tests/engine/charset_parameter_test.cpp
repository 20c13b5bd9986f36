// What a response's Content-Type says of its document's encoding.
#include "engine/charset_parameter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvane {
namespace {

TEST(CharsetParameter, ReadsTheValueQuotedOrNot) {
    const struct {
        const char* contentType;
        std::optional<std::string> charset;
    } rows[] = {
        {"text/html; charset=utf-8", "utf-8"},
        {"text/html;charset=\"Shift_JIS\"", "Shift_JIS"},
        {"text/html; CHARSET = latin1 ; x=y", "latin1"},
        {"text/html; Charset='koi8-r'; x=y", "koi8-r"},
        {"text/html; charset=\" utf-8 \"", "utf-8"},
        {"text/html; charset=windows-1252;", "windows-1252"},
        {"text/html; charset=utf-8 x", "utf-8"},
        {"text/html\t;\fcharset\t=\tiso-8859-2", "iso-8859-2"},
        {"text/html", std::nullopt},
        {"text/html; charset=", std::nullopt},
        {"text/html; charset=\"\"", std::nullopt},
        {"text/html; charset utf-8", std::nullopt},
        {"text/html; charse=utf-8", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CharsetParameter(row.contentType), row.charset) << row.contentType;
    }
}

}  // namespace
}  // namespace quorvane

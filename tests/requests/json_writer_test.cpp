#include "requests/json_writer.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace quorvane {
namespace {

using nlohmann::json;

// A page's bytes go into the file as nlohmann's dump with its "replace" rule writes them,
// broken UTF-8 included, so that any reader of JSON takes the file.
TEST(AppendJsonString, EscapesAndReplacesAsTheJsonLibraryDoes) {
    const std::string rows[] = {
        "",
        "plain text",
        "quote \" backslash \\ slash /",
        std::string("controls \b\f\n\r\t \x01\x1f\x7f and nul ") + '\0' + "!",
        "\xC3\xA9t\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x98\x80",  // é, →, an emoji
        "lone continuation \x80 and lead \xC3 then text",
        "overlong \xC0\xAF and \xE0\x80\xAF",
        "surrogate \xED\xA0\x80 beyond \xF4\x90\x80\x80 \xF5",
        "cut sequences \xE2\x86 \xF0\x9F\x98 end",
        "ends cut \xF0\x9F\x98",
        "ends with a lead \xE2",
    };
    for (const std::string& text : rows) {
        std::string written;
        AppendJsonString(written, text);
        EXPECT_EQ(written, json(text).dump(-1, ' ', false, json::error_handler_t::replace)) << text;
        EXPECT_TRUE(json::accept(written)) << text;
    }
}

TEST(JsonWriter, PlacesTheCommasOfNestedValues) {
    std::string out;
    JsonWriter writer(out);
    writer.OpenObject().Text("a", "x").Key("empty").OpenArray().Close();
    writer.Key("list").OpenArray().Integer(-1).LineBreak().OpenObject().Close().Bool(false);
    writer.Number(0.5).Number(1.0 / 0.0).LineBreak().Close().Bool("last", true).Close();
    EXPECT_EQ(out, "{\"a\":\"x\",\"empty\":[],\"list\":[-1,\n{},false,0.5,null\n],\"last\":true}");
    EXPECT_EQ(json::parse(out)["list"][3], 0.5);
}

}  // namespace
}  // namespace quorvane

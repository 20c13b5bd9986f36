// The encodings the user can choose for a served text.
#include "inspection/encoding_choices.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "inspection/encoding_labels.h"
#include "inspection/served_source_text.h"

namespace quorvane {
namespace {

// Each choice is read under its own name, once, and the choices of one language follow
// each other, so that the menu can group them.
TEST(EncodingChoices, NameEachEncodingOnceAsBrowsersNameItGroupedByLanguage) {
    std::set<std::string_view> names;
    std::set<std::string_view> languagesDone;
    std::string_view language;
    for (const EncodingChoice& choice : EncodingChoices()) {
        const std::optional<WebEncoding> encoding = EncodingForLabel(choice.name);
        ASSERT_TRUE(encoding.has_value()) << choice.name;
        EXPECT_EQ(encoding->name, choice.name);
        EXPECT_TRUE(names.insert(choice.name).second) << choice.name;
        if (choice.language != language) {
            EXPECT_TRUE(languagesDone.insert(choice.language).second) << choice.language;
            language = choice.language;
        }
    }
    EXPECT_EQ(EncodingChoices().front().name, "UTF-8");
}

// A page labelled iso-8859-1 whose bytes are windows-1251 reads right once Cyrillic is
// chosen: the choice is read as the response's charset would be.
TEST(EncodingChoices, AChoiceReadsTheBytesAsTheResponseCharsetWould) {
    const std::string bytes = "<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>";
    EXPECT_EQ(DecodeServedSource(bytes, "text/html", "iso-8859-1").text,
              "<p>\xc3\x8f\xc3\xb0\xc3\xa8\xc3\xa2\xc3\xa5\xc3\xb2</p>");
    const ServedSourceText chosen = DecodeServedSource(bytes, "text/html", "windows-1251");
    EXPECT_EQ(chosen.text, "<p>\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82</p>");
    EXPECT_EQ(chosen.encoding, "windows-1251");
}

}  // namespace
}  // namespace quorvane

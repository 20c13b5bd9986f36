// The live document held to the bound of the served text.
#include "engine/live_document_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

struct HoldRow {
    const char* name;
    std::string text;
    std::size_t limit;
    bool cut;
    std::string kept;  // the text before the note
};

TEST(HoldLiveText, CutsPastTheBoundAtAWholeCharacterAndSaysSo) {
    const HoldRow rows[] = {
        {"within", "abc", 3, false, "abc"},
        {"past", "abcd", 3, true, "abc"},
        // "é" is two bytes, "€" three: a cut never splits one.
        {"inside a two-byte character", "ab\xC3\xA9", 3, true, "ab"},
        {"inside a three-byte character", "a\xE2\x82\xAC!", 3, true, "a"},
        {"after a whole character", "a\xE2\x82\xAC!", 4, true, "a\xE2\x82\xAC"},
    };
    for (const HoldRow& row : rows) {
        std::string text = row.text;
        EXPECT_EQ(HoldLiveText(text, 1234, row.limit), row.cut) << row.name;
        if (!row.cut) {
            EXPECT_EQ(text, row.kept) << row.name;
            continue;
        }
        EXPECT_EQ(text, row.kept + "\n[The page goes on: only its first " +
                            std::to_string(row.kept.size()) +
                            " bytes are shown, of 1234 characters.]\n")
            << row.name;
    }
}

}  // namespace
}  // namespace quorvane

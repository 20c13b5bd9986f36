#include "desktop/file_choice.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct WildcardRow {
    std::vector<FileTypeFilter> filters;
    const char* wildcard;
};

TEST(FileChoice, TheFiltersMakeTheWildcardOfTheToolkitsOwnDialog) {
    const WildcardRow rows[] = {
        {{}, "*"},
        {{{"CSV (*.csv)", {"*.csv"}}, {"JSON (*.json)", {"*.json"}}},
         "CSV (*.csv)|*.csv|JSON (*.json)|*.json"},
        {{{"Page as served", {"*"}}, {"Whole page (MHTML)", {"*.mhtml", "*.mht", "*.MHT"}}},
         "Page as served|*|Whole page (MHTML)|*.mhtml;*.mht;*.MHT"},
        {{{"Nothing", {}}}, "Nothing|"},
    };
    for (const WildcardRow& row : rows) {
        EXPECT_EQ(WildcardOf(row.filters), row.wildcard);
    }
}

}  // namespace
}  // namespace quorvane

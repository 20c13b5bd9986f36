#include "saving/whole_page_file.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(WholePageFile, TheNameChoosesAPageSavedWhole) {
    const struct {
        const char* name;
        bool wholePage;
        const char* proposed;
    } rows[] = {
        {"page.mhtml", true, "page.mhtml"},
        {"page.MHT", true, "page.MHT"},
        {"page.Mhtml", true, "page.Mhtml"},
        {"page.html", false, "page.mhtml"},
        {"index.php", false, "index.mhtml"},
        {"archive.tar.gz", false, "archive.tar.mhtml"},
        {"page", false, "page.mhtml"},
        {".html", false, ".html.mhtml"},
        {"page.mhtml.html", false, "page.mhtml.mhtml"},
        {"mhtml", false, "mhtml.mhtml"},
        {"page.xmht", false, "page.mhtml"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsWholePageFileName(row.name), row.wholePage) << row.name;
        EXPECT_EQ(WholePageFileName(row.name), row.proposed) << row.name;
    }
}

TEST(WholePageFile, SaysWhereAndHowLarge) {
    const struct {
        std::uintmax_t bytes;
        const char* shown;
    } rows[] = {
        {0, "0 bytes"},
        {1, "1 byte"},
        {999, "999 bytes"},
        {1000, "1.0 kB"},
        {12'345, "12.3 kB"},
        {999'949, "999.9 kB"},
        {999'950, "1.0 MB"},
        {1'440'000, "1.4 MB"},
        {1'460'000, "1.5 MB"},
        {2'000'000'000, "2.0 GB"},
        {5'000'000'000'000'000, "5000.0 TB"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SizeForDisplay(row.bytes), row.shown) << row.bytes;
    }
    EXPECT_EQ(SavedWholePageMessage("/home/user/Downloads/page (1).mhtml", 12'345, "/home/user"),
              "Saved page (1).mhtml (12.3 kB) to ~/Downloads");
    EXPECT_EQ(SavedWholePageMessage("/tmp/page.mht", 5, "/home/user"),
              "Saved page.mht (5 bytes) to /tmp");
}

}  // namespace
}  // namespace quorvane

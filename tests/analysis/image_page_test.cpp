#include "analysis/image_page.h"

#include <gtest/gtest.h>

#include <system_error>

#include "analysis/html_escape.h"
#include "analysis/work_file_writer.h"
#include "analysis/work_files.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

TEST(ImagePage, WritesOneLinkedPicturePerImageOnOneLine) {
    const ImagePage page = ImagePageText({"http://host/a.gif", "host.org/b.gif"});
    EXPECT_EQ(page.imagesShown, 2u);
    EXPECT_EQ(page.text,
              "<a href='http://host/a.gif'><img src='http://host/a.gif'></a><BR>http://host/a.gif"
              "<BR><BR><BR><a href='http://host.org/b.gif'><img src='http://host.org/b.gif'></a>"
              "<BR>host.org/b.gif<BR><BR><BR>");
    const ImagePage empty = ImagePageText({});
    EXPECT_EQ(empty.imagesShown, 0u);
    EXPECT_EQ(empty.text, "");
}

TEST(ImagePage, KeepsACapitalSchemeAndATrailingBlank) {
    EXPECT_EQ(ImagePageText({"HTTP://h/a.gif ", "http:/h/b.gif"}).text,
              "<a href='HTTP://h/a.gif '><img src='HTTP://h/a.gif '></a><BR>HTTP://h/a.gif "
              "<BR><BR><BR><a href='http://http:/h/b.gif'><img src='http://http:/h/b.gif'></a>"
              "<BR>http:/h/b.gif<BR><BR><BR>");
}

TEST(ImagePage, KeepsTheSchemeOfWebDataAndFileAddressesOnly) {
    const std::pair<const char*, const char*> rows[] = {
        {"https://h/a.gif", "https://h/a.gif"},
        {"file:///usr/lib/q/b.svg", "file:///usr/lib/q/b.svg"},
        {"data:image/gif;base64,R0lG", "data:image/gif;base64,R0lG"},
        // No other scheme comes alive in a link of the generated page.
        {"javascript://x/%0Aalert(1)", "http://javascript://x/%0Aalert(1)"},
        {"ftp://h/c.gif", "http://ftp://h/c.gif"},
    };
    for (const auto& [raw, url] : rows) {
        EXPECT_EQ(ImagePageText({raw}).text, std::string("<a href='") + url + "'><img src='" + url +
                                                 "'></a><BR>" + raw + "<BR><BR><BR>")
            << raw;
    }
}

// The second image fills a piece of the page, so the third is weighed against what was
// handed out before it as well.
TEST(ImagePage, LeavesOutEveryImageFromTheFirstThatWouldPassTheLargestSize) {
    const std::vector<std::string> links = {"http://h/a.gif",
                                            "http://h/" + std::string(kTextPieceSize, 'b') + ".gif",
                                            "http://h/c.gif"};
    const std::string whole = ImagePageText(links).text;
    const std::size_t ends[] = {0, ImagePageText({links[0]}).text.size(),
                                ImagePageText({links[0], links[1]}).text.size(), whole.size()};
    const std::pair<std::size_t, std::size_t> rows[] = {
        // largest size, images shown
        {0, 0},       {ends[1] - 1, 0}, {ends[1], 1}, {ends[2] - 1, 1},
        {ends[2], 2}, {ends[3] - 1, 2}, {ends[3], 3},
    };
    for (const auto& [maxSize, shown] : rows) {
        const ImagePage page = ImagePageText(links, maxSize);
        EXPECT_EQ(page.imagesShown, shown) << maxSize;
        EXPECT_EQ(page.text, whole.substr(0, ends[shown])) << maxSize;
    }
}

TEST(ImagePage, WritesAnAddressWithoutQuoteOrLessThanAsFound) {
    EXPECT_EQ(
        ImagePageText({"http://h/x>y/a.gif"}).text,
        "<a href='http://h/x>y/a.gif'><img src='http://h/x>y/a.gif'></a><BR>http://h/x>y/a.gif"
        "<BR><BR><BR>");
}

TEST(ImagePage, FailsWhenTheFileCannotBeWritten) {
    TempFolder folder;
    WorkFileWriter files(folder.Path() + "/missing");
    EXPECT_THROW(files.Write(kImagePageFile, ImagePageText({}).text), std::system_error);
}

TEST(HtmlEscape, EscapesOnlyWhatCouldOpenOrCloseMarkup) {
    struct Row {
        const char* input;
        const char* text;
        const char* attribute;
        const char* linked;
    } rows[] = {
        {"http://h/a.gif?x=1&amp;y", "http://h/a.gif?x=1&amp;y", "http://h/a.gif?x=1&amp;y",
         "http://h/a.gif?x&#61;1&amp;y"},
        // Inside a single-quoted value ">" ends nothing, so it stays as the address has it.
        {"<svg/onload=alert(1)>", "&lt;svg/onload=alert(1)>", "&lt;svg/onload=alert(1)>",
         "&lt;svg/onload&#61;alert(1)>"},
        {"x'y", "x'y", "x&#39;y", "x&#39;y"},
        // Bytes to escape past the first eight, behind bytes that only other kinds escape.
        {"a=b'cdefghijklmnop<q", "a=b'cdefghijklmnop&lt;q", "a=b&#39;cdefghijklmnop&lt;q",
         "a&#61;b&#39;cdefghijklmnop&lt;q"},
        {"", "", "", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EscapeInsertedText(row.input), row.text);
        EXPECT_EQ(EscapeInsertedAttribute(row.input), row.attribute);
        EXPECT_EQ(EscapeLinkedAddress(row.input), row.linked);
    }
}

}  // namespace
}  // namespace quorvane

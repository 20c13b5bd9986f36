#include "analysis/image_scanners.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/address_resolution.h"
#include "analysis/tag_line_scanner.h"
#include "tests/support/line_by_line_scanner.h"

namespace quorvane {
namespace {

constexpr char kPage[] = "http://host/dir/page.html";

struct Found {
    std::vector<std::string> links;
    std::vector<std::string> names;
};

// The scanners read checkImages.txt, which holds the page text and CR LF.
Found Scan(const std::string& pageText, bool tags, const std::string& pageAddress = kPage) {
    TagScan scan = tags ? ScanImageTags(pageText + "\r\n", pageAddress)
                        : ScanImageLinks(pageText + "\r\n", pageAddress);
    return {std::move(scan.links), std::move(scan.names)};
}

struct Row {
    std::string page;
    std::string address;  // what must be recorded; empty with recorded = false: nothing
    std::string name;
    bool recorded = true;
    std::string pageAddress = kPage;
};

void ExpectRows(const std::vector<Row>& rows, bool tags) {
    for (const Row& row : rows) {
        const Found found = Scan(row.page, tags, row.pageAddress);
        if (row.recorded) {
            EXPECT_EQ(found.links, std::vector<std::string>{row.address}) << row.page;
            EXPECT_EQ(found.names, std::vector<std::string>{row.name}) << row.page;
        } else {
            EXPECT_TRUE(found.links.empty() && found.names.empty()) << row.page;
        }
    }
}

TEST(ImageTagScanner, RecordsTheTableOfTags) {
    ExpectRows(
        {
            {"<img src='pics/a.gif' width=10>", "http://host/dir/pics/a.gif", "a.gif"},
            {"<IMG SRC='/img/b.png'>", "http://host/img/b.png", "b.png"},
            {"<img src='http://cdn/x.jpg'>", "http://cdn/x.jpg", "x.jpg"},
            {"<img src=c.gif width=1>", "http://host/dir/c.gif ", "c.gif "},
            {"<img src=d.gif>", "http://host/dir/", ""},
            {"<img src='e.gif?href=1'>", "http://host/dir/e.gif?1", "e.gif?1"},
            {"<img src=\"f'g.gif\">", "http://host/dir/f", "f"},
            {"<img src='a.gif'>", "http://example.com/a.gif", "a.gif", true, "http://example.com"},
            {"<img src='a.gif'>", "host.org/a.gif", "a.gif", true, "http://host.org"},
            {"text <img\r\nsrc='a.gif'>", "", "", false},
            {"<p>no images</p>", "", "", false},
        },
        true);
}

const std::vector<Row> kOpenCases = {
    // "../" climbs one level per occurrence, never above the host.
    {"<img src='../a.gif'>", "http://host/d/a.gif", "a.gif", true, "http://host/d/e/p.html"},
    {"<img src='../../../a.gif'>", "http://host/a.gif", "a.gif"},
    {"<img src='../a.gif'>", "host/a.gif", "a.gif", true, "host/d/"},
    // A root-relative value goes after the host, with or without scheme.
    {"<img src='/img/a.gif'>", "http://example.com/img/a.gif", "a.gif", true, "http://example.com"},
    {"<img src='/img/a.gif'>", "host.org/img/a.gif", "a.gif", true, "http://host.org"},
    {"<img src='/img/a.gif'>", "site/img/a.gif", "a.gif", true, "site/x/"},
    // A tag continued on the next line keeps the rest of its line.
    {"<img src=\"a b.gif\" width=1", "http://host/dir/a b.gif", "a b.gif"},
    // A ">" before the attribute: the cut runs to the ">" after it.
    {"<img alt=x> src='e.gif'", "http://host/dir/e.gif", "e.gif"},
    {"<img><b src='c.gif'>", "http://host/dir/c.gif", "c.gif"},
    // A value with a scheme of its own is absolute, whatever the scheme.
    {"<img src='https://cdn/x.jpg'>", "https://cdn/x.jpg", "x.jpg"},
    {"<img src='HTTPS://cdn/x.jpg'>", "HTTPS://cdn/x.jpg", "x.jpg"},
    // Pages with another scheme resolve within it.
    {"<img src='a.gif'>", "https://host/dir/a.gif", "a.gif", true, "https://host/dir/page.html"},
    {"<img src='/img/a.gif'>", "https://host/img/a.gif", "a.gif", true,
     "https://host/dir/page.html"},
    {"<img src='../a.gif'>", "https://host/a.gif", "a.gif", true, "https://host/dir/page.html"},
    {"<img src='a.gif'>", "https://host.org/a.gif", "a.gif", true, "https://host.org"},
    {"<img src='/a.gif'>", "file:///a.gif", "a.gif", true, "file:///usr/lib/q/home.html"},
    {"<img src='home.svg'>", "file:///usr/lib/q/home.svg", "home.svg", true,
     "file:///usr/lib/q/home.html"},
    // A value beginning "//" names its own host and takes the page's scheme.
    {"<img src='//cdn/a.gif'>", "http://cdn/a.gif", "a.gif"},
    {"<img src='//cdn/a.gif'>", "https://cdn/a.gif", "a.gif", true, "https://host/dir/page.html"},
    {"<img src='//cdn/a.gif'>", "http://cdn/a.gif", "a.gif", true, "host/dir/"},
    // The hosting service's page host serves its images from the other one.
    {"<img src='a.gif'>", "http://images.hosting.invalid/u/a.gif", "a.gif", true,
     "http://HomePages.Hosting.invalid/u/p.html"},
};

TEST(ImageTagScanner, DecidesTheOpenCasesSoundly) {
    ExpectRows(kOpenCases, true);
}

// A web page may point the generated views only at the web and at its own data:
// pictures; any other scheme reads as a relative value on the page's own site.
constexpr char kHttpsPage[] = "https://host/dir/page.html";
constexpr char kLocalPage[] = "file:///usr/lib/q/home.html";
constexpr char kQueryPage[] = "https://host/d/p.html?u=http://x/y";
const std::vector<Row> kSchemeCases = {
    {"<img src='file:///dev/zero'>", "http://host/dir/file:///dev/zero", "zero"},
    {"<img src='FILE:/etc/p.gif'>", "http://host/dir/FILE:/etc/p.gif", "p.gif"},
    {"<img src='data:image/gif;base64,R0lG'>", "data:image/gif;base64,R0lG", "gif;base64,R0lG"},
    {"<img src='javascript://x/%0Aalert(1)'>", "http://host/dir/javascript://x/%0Aalert(1)",
     "%0Aalert(1)"},
    {"<img src='javascript:alert(1)'>", "http://host/dir/javascript:alert(1)",
     "javascript:alert(1)"},
    {"<img src='vbscript:msgbox(1)'>", "http://host/dir/vbscript:msgbox(1)", "vbscript:msgbox(1)"},
    {"<img src='about:blank'>", "http://host/dir/about:blank", "about:blank"},
    {"<img src='blob:https://host/1-2'>", "http://host/dir/blob:https://host/1-2", "1-2"},
    {"<img src='x.php?u=http://cdn/a.gif'>", "http://host/dir/x.php?u=http://cdn/a.gif", "a.gif"},
    {"<img src='file:///dev/zero'>", "https://host/dir/file:///dev/zero", "zero", true, kHttpsPage},
    {"<img src='data:image/gif;base64,R0lG'>", "data:image/gif;base64,R0lG", "gif;base64,R0lG",
     true, kHttpsPage},
    {"<img src='javascript:alert(1)'>", "https://host/dir/javascript:alert(1)",
     "javascript:alert(1)", true, kHttpsPage},
    {"<img src='http://cdn/x.jpg'>", "http://cdn/x.jpg", "x.jpg", true, kHttpsPage},
    // A local page's own pictures may be local files.
    {"<img src='file:///home/u/p.png'>", "file:///home/u/p.png", "p.png", true, kLocalPage},
    {"<img src='FILE:/etc/p.gif'>", "FILE:/etc/p.gif", "p.gif", true, kLocalPage},
    {"<img src='data:image/gif;base64,R0lG'>", "data:image/gif;base64,R0lG", "gif;base64,R0lG",
     true, kLocalPage},
    {"<img src='https://cdn/x.jpg'>", "https://cdn/x.jpg", "x.jpg", true, kLocalPage},
    {"<img src='javascript:alert(1)'>", "file:///usr/lib/q/javascript:alert(1)",
     "javascript:alert(1)", true, kLocalPage},
    // Only the page address's leading scheme is its scheme.
    {"<img src='/b.gif'>", "https://host/b.gif", "b.gif", true, kQueryPage},
    {"<img src='//c/a.gif'>", "https://c/a.gif", "a.gif", true, kQueryPage},
    {"<img src='a.gif'>", "https://host/d/p.html?u=http://x/a.gif", "a.gif", true, kQueryPage},
    {"<img src='a.gif'>", "http://host/d/p.html?u=http://x/a.gif", "a.gif", true,
     "http://host/d/p.html?u=http://x/y"},
};

TEST(ImageTagScanner, LetsOnlyWebAndDataAddressesStandOnAWebPage) {
    ExpectRows(kSchemeCases, true);
}

TEST(ImageTagScanner, RecordsEachFileNameOnceInPageOrder) {
    const Found found = Scan(
        "<img src='pics/a.gif'><IMG src='b.gif'>\r\n<img src='other/a.gif'> x <img src=d.gif>"
        "<img src='e/'><img src=\"B.gif\">",
        true);
    EXPECT_EQ(found.links,
              (std::vector<std::string>{"http://host/dir/pics/a.gif", "http://host/dir/b.gif",
                                        "http://host/dir/", "http://host/dir/B.gif"}));
    EXPECT_EQ(found.names, (std::vector<std::string>{"a.gif", "b.gif", "", "B.gif"}));
}

// Thousands of names, each named twice, with the second naming in reverse order: each
// is recorded once, however the duplicate test's table places them.
TEST(ImageTagScanner, RecordsEachOfThousandsOfNamesOnce) {
    std::string page;
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i) {
        names.push_back(std::to_string(i) + ".gif");
        page += "<img src='" + names.back() + "'>\r\n";
    }
    for (int i = 4999; i >= 0; --i) {
        page += "<img src='d/" + names[i] + "'>\r\n";
    }
    EXPECT_EQ(Scan(page, true).names, names);
}

// What the scanner writes last to checkImagesClean.txt, which adds CR LF to it.
TEST(ImageTagScanner, LeavesOneLinePerTagInTheCleanFile) {
    EXPECT_EQ(ScanImageTags("x<img src='a.gif'><IMG src='b.gif'>\r\n\r\nno\r\n", kPage).keptLines +
                  "\r\n",
              "<img src='a.gif'>\r\n<img src='b.gif'>\r\n\r\n");
    EXPECT_EQ(ScanImageTags("none\r\n", kPage).keptLines + "\r\n", "\r\n");
}

TEST(ImageTagScanner, StopsAddingAtTheListLimit) {
    std::string page;
    for (std::size_t i = 0; i < kMaxListEntries + 10; ++i) {
        page += "<img src='" + std::to_string(i) + ".gif'>";
    }
    const Found found = Scan(page, true);
    EXPECT_EQ(found.links.size(), kMaxListEntries);
    EXPECT_EQ(found.names.back(), std::to_string(kMaxListEntries - 1) + ".gif");
}

TEST(ImageLinkScanner, RecordsTheTableOfAnchors) {
    ExpectRows(
        {
            {"<a href='photos/big.jpg'>Photo</a>", "http://host/dir/photos/big.jpg", "big.jpg"},
            {"<A HREF='/pics/b.GIF'>b</A>", "http://host/pics/b.GIF", "b.GIF"},
            {"<a href='view.html'><img src='thumb.gif'></a>", "http://host/dir/view.html",
             "view.html"},
            {"<a href='cgi-bin/i/c.bmp'>c</a>", "http://host/dir/c.bmp", "c.bmp"},
            {"<a href='x.JPEG'>c</a>", "http://host/dir/x.JPEG", "x.JPEG"},
            {"<a href='page.html'>Pictures</a>", "", "", false},
            {"<a name='top'>\r\nhref='x.gif'>", "", "", false},
            {"<a\thref='x.gif'>", "", "", false},
            {"<abbr href='x.gif'>", "", "", false},
            {"<a href='x.gif'", "", "", false},
        },
        false);
}

TEST(ImageLinkScanner, RecordsEachFileNameOnceUnderTheFirstAddress) {
    const Found found =
        Scan("<a href='a/x.gif'>1</a><a href='b/x.gif'>2</a><a href='y.jpg'>", false);
    EXPECT_EQ(found.links,
              (std::vector<std::string>{"http://host/dir/a/x.gif", "http://host/dir/y.jpg"}));
    EXPECT_EQ(found.names, (std::vector<std::string>{"x.gif", "y.jpg"}));
}

// The rewriting exactly as written: a fixed 100 passes.
std::string HundredPasses(std::string text, std::string_view keyword) {
    for (int pass = 0; pass < 100; ++pass) {
        text = TagLinePass(text, keyword);
    }
    return text;
}

TEST(TagLinePasses, StoppingEarlyGivesTheSameTextAsAHundredPasses) {
    std::mt19937 random(7);
    const std::string pieces[] = {"<img", "<IMG", "<Img ", "<a ",  "<A ", "\r\n",
                                  "\r",   "\n",   "x",     "src=", "<im", "\r\n\r\n\r\n"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += pieces[random() % std::size(pieces)];
        }
        for (const std::string_view keyword : {"<img", "<a "}) {
            EXPECT_EQ(SplitIntoTagLines(text, keyword), HundredPasses(text, keyword)) << text;
        }
    }
}

// Pages made of the pieces the scanners cut at, in any order: the scan in one pass over
// the page must give what the steps give one after the other over each text's lines.
TEST(TagScan, GivesWhatTheLineByLineStepsGive) {
    std::mt19937 random(11);
    const std::string pieces[] = {"<img",  "<IMG ", "<a ",     "<A ", "src=",       "SRC='",
                                  "href=", "\r\n",  "\r",      "\n",  "cgi-bin/i/", "cgi-",
                                  ">",     "'",     "\"",      " ",   "x.gif",      ".JPG",
                                  "/",     "../",   "http://", "d/",  "<im",        "bin/i/"};
    for (int round = 0; round < 3000; ++round) {
        std::string page;
        const int length = static_cast<int>(random() % 48);
        for (int i = 0; i < length; ++i) {
            page += pieces[random() % std::size(pieces)];
        }
        const std::size_t maxBytes = random() % 2 == 0 ? kMaxListBytes : random() % 64;
        for (const TagScanRules* rules : {&ImageTagRules(), &ImageLinkRules()}) {
            const TagScan scan = ScanTagLines(page, kPage, *rules, maxBytes);
            const TagScan reference = ScanTagLinesLineByLine(page, kPage, *rules, maxBytes);
            EXPECT_EQ(scan.tagLines, reference.tagLines) << page;
            EXPECT_EQ(scan.keptLines, reference.keptLines) << page;
            EXPECT_EQ(scan.links, reference.links) << page;
            EXPECT_EQ(scan.names, reference.names) << page;
        }
    }
}

}  // namespace
}  // namespace quorvane

#include "inspection/hotspots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

std::vector<std::string> Targets(std::string_view html, std::string_view page) {
    const Hotspots hotspots(html);
    std::vector<std::string> targets;
    for (const TextRange& range : hotspots.Ranges()) {
        targets.push_back(HotspotTarget(html, hotspots, range, page).value_or("(not followed)"));
    }
    return targets;
}

constexpr const char* kPage = "http://host/dir/page.html";

TEST(Hotspots, FindEveryAddressOfTagsAndResolveIt) {
    const struct {
        const char* html;
        std::vector<std::string> targets;
    } rows[] = {
        {"<a href=\"a.html\">x</a>", {"http://host/dir/a.html"}},
        {"<a href='/b.html'>", {"http://host/b.html"}},
        {"<img src=pic.png alt=x>", {"http://host/dir/pic.png"}},
        {"<IMG SRC = \"../up.gif\">", {"http://host/up.gif"}},
        {"<a href=\"  c.html \n\">", {"http://host/dir/c.html"}},
        {"<a href=\"//other/x\">", {"http://other/x"}},
        {"<a href=\"https://s/y\">", {"https://s/y"}},
        {"<a href=\"#top\">", {"http://host/dir/page.html#top"}},
        {"<a href=\"q?a=1&amp;b=2\">", {"http://host/dir/q?a=1&b=2"}},
        {"<a href=\"q?a=1&#38;b=&#x32;\">", {"http://host/dir/q?a=1&b=2"}},
        {"<a href=\"q?a=1&copy=2\">", {"http://host/dir/q?a=1&copy=2"}},
        {"<a href=\"ta\tb\">", {"http://host/dir/tab"}},
        {"<img srcset=\"s.png 1x, l.png 2x\">", {"http://host/dir/s.png", "http://host/dir/l.png"}},
        // A comma inside an address is part of it; only commas at its end end it.
        {"<img srcset=\"a.png 640w,b.png,, c.png,d.png\">",
         {"http://host/dir/a.png", "http://host/dir/b.png", "http://host/dir/c.png,d.png"}},
        {"<source srcset=\"x.png (y,z), w.png\">",
         {"http://host/dir/x.png", "http://host/dir/w.png"}},
        {"<base href=\"http://cdn/assets/\"><a href=\"i.png\">",
         {"http://cdn/assets/", "http://cdn/assets/i.png"}},
        // The base counts for the addresses before it too, and is read against the page.
        {"<a href=i.png><base href=\"/root/\">", {"http://host/root/i.png", "http://host/root/"}},
        {"<!-- <a href=\"no.html\"> --><a href=yes.html>", {"http://host/dir/yes.html"}},
        {"<script>var s = \"<a href='no.html'>\";</script><a href=yes.html>",
         {"http://host/dir/yes.html"}},
        {"<style>a{} <img src=no.png></style><title><a href=no></title>", {}},
        {"<p title=\"<a href=no.html>\">", {}},
        {"<p>href=\"no.html\" src=no.png</p>", {}},
        {"<a href=\"\">", {}},
        {"<a href=\"javascript:alert(1)\"><a href=\"file:///etc/passwd\"><a href=mailto:a@b>",
         {"(not followed)", "(not followed)", "(not followed)"}},
        {"<a href=\"data:text/html,x\">", {"(not followed)"}},
        {"<a href=\"x.html", {"http://host/dir/x.html"}},
        // References that resolve to no address at all.
        {"<a href=\"http://a;\"><a href=\"//a;x\"><a href=\"http://x:1;\">",
         {"(not followed)", "(not followed)", "(not followed)"}},
        {"<base href=\"//a;\"><a href=\"b.html\">", {"(not followed)", "http://host/dir/b.html"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Targets(row.html, kPage), row.targets) << row.html;
    }
}

TEST(Hotspots, FollowFileAddressesOnlyFromALocalPage) {
    EXPECT_EQ(Targets("<a href=\"b.html\"><img src=\"file:///p/i.png\">", "file:///home/u/a.html"),
              (std::vector<std::string>{"file:///home/u/b.html", "file:///p/i.png"}));
}

TEST(Hotspots, CoverTheValueWithoutQuotesAndAreFoundByPosition) {
    const std::string html = "<a href=\" a.html\">x</a> <img srcset='s.png 2x'>";
    const Hotspots hotspots(html);
    ASSERT_EQ(hotspots.Ranges().size(), 2u);
    const TextRange first = hotspots.Ranges()[0];
    EXPECT_EQ(html.substr(first.begin, first.end - first.begin), "a.html");
    EXPECT_EQ(hotspots.At(first.begin), first);
    EXPECT_EQ(hotspots.At(first.end - 1), first);
    EXPECT_EQ(hotspots.At(first.end), std::nullopt);
    EXPECT_EQ(hotspots.At(0), std::nullopt);
    const TextRange second = hotspots.Ranges()[1];
    EXPECT_EQ(html.substr(second.begin, second.end - second.begin), "s.png");
    EXPECT_EQ(hotspots.Within(0, html.size()).size(), 2u);
    EXPECT_EQ(hotspots.Within(first.end, second.begin).size(), 0u);
    EXPECT_EQ(hotspots.Within(first.end - 1, second.begin + 1).size(), 2u);
}

}  // namespace
}  // namespace quorvane

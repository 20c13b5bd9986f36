// Which frames the "Original Source" view offers besides the page's main document.
#include "source_changes/page_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

struct FramesRow {
    const char* name;
    const char* page;
    std::vector<std::string> frames;
    std::vector<std::string> offered;
};

TEST(FramesToChoose, OffersEachFrameThePageMayShowOnce) {
    const FramesRow rows[] = {
        {"none", "http://a/", {}, {}},
        {"in order", "http://a/", {"http://a/1", "https://b/2"}, {"http://a/1", "https://b/2"}},
        {"each address once", "http://a/", {"http://a/1", "http://a/1"}, {"http://a/1"}},
        {"not the page itself", "http://a/", {"http://a/", "http://a/1"}, {"http://a/1"}},
        {"no local file from a web page", "https://a/", {"file:///etc/passwd"}, {}},
        {"local files from a local page", "file:///p.html", {"file:///f.html"}, {"file:///f.html"}},
        {"no address of its own", "http://a/", {"about:blank", "about:srcdoc", ""}, {}},
        {"no script", "http://a/", {"javascript:alert(1)", "data:text/html,x"}, {}},
    };
    for (const FramesRow& row : rows) {
        EXPECT_EQ(FramesToChoose(row.page, row.frames), row.offered) << row.name;
    }
}

TEST(FramesToChoose, OffersNoMoreThanItsBound) {
    std::vector<std::string> frames;
    for (std::size_t n = 0; n <= kMaxFrameChoices; ++n) {
        frames.push_back("http://a/" + std::to_string(n));
    }
    const std::vector<std::string> offered = FramesToChoose("http://a/", frames);
    ASSERT_EQ(offered.size(), kMaxFrameChoices);
    EXPECT_EQ(offered.back(), frames[kMaxFrameChoices - 1]);
}

TEST(FrameStillChosen, KeepsTheFrameOnlyWhileItIsOffered) {
    const std::vector<std::string> offered = {"http://a/1", "http://a/2"};
    EXPECT_EQ(FrameStillChosen(offered, "http://a/2"), "http://a/2");
    EXPECT_EQ(FrameStillChosen(offered, "http://a/3"), "");
    EXPECT_EQ(FrameStillChosen(offered, ""), "");
    EXPECT_EQ(FrameStillChosen({}, "http://a/1"), "");
}

}  // namespace
}  // namespace quorvane

#include "inspection/shown_links.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "inspection/shown_lines.h"

namespace quorvane {
namespace {

// A line longer than a piece, cut inside the "&amp;" of its one address.
struct CutLine {
    std::string source;
    ShownLines shown;
};

CutLine LineCutInsideAnEntity() {
    std::string source = "<a href=\"" + std::string(kMaxShownLineBytes - 11, 'x');
    source += "&amp;b=2\">link</a>";
    return {source, BreakLongLines(source)};
}

TEST(ShownLinks, DecodeAnAddressCutOverTwoPiecesFromTheText) {
    const CutLine line = LineCutInsideAnEntity();
    ASSERT_EQ(line.shown.breaks.size(), 1u);
    const std::size_t secondPiece = line.shown.text.find("\nmp;b=2");
    ASSERT_NE(secondPiece, std::string::npos) << "the cut falls inside &amp;";

    const ShownLinks links(std::make_shared<const std::string>(line.source), line.shown.breaks);
    const std::string expected =
        "http://host/dir/" + std::string(kMaxShownLineBytes - 11, 'x') + "&b=2";
    for (const std::size_t clicked : {std::size_t{9}, secondPiece - 1, secondPiece + 2}) {
        const std::optional<ShownLink> link = links.At(clicked, "http://host/dir/page.html");
        ASSERT_TRUE(link.has_value()) << clicked;
        EXPECT_EQ(link->target, expected) << clicked;
    }
    EXPECT_FALSE(links.At(line.shown.text.find("link"), "http://host/dir/page.html"));

    // Underlined over both pieces, in the shown text's places.
    const std::vector<TextRange> underlined = links.Within(0, line.shown.text.size());
    ASSERT_EQ(underlined.size(), 1u);
    EXPECT_EQ(underlined[0].begin, 9u);
    EXPECT_EQ(line.shown.text.substr(underlined[0].end - 3, 4), "b=2\"");
}

TEST(ShownLinks, NameTheValueOfALinkThatIsNotFollowed) {
    const std::string source = "<a href=\"javascript:a&amp;&amp;b()\">";
    const ShownLinks links(std::make_shared<const std::string>(source), {});
    const std::optional<ShownLink> link = links.At(12, "http://host/");
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->target, std::nullopt);
    EXPECT_EQ(link->value, "javascript:a&&b()");
}

}  // namespace
}  // namespace quorvane

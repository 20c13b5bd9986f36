#include "image_list/images_in_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

constexpr const char* kPage = "http://host/dir/page.html";

// "address kinds descriptor" of each finding, in the page's order.
std::vector<std::string> Found(std::string_view html) {
    std::vector<std::string> found;
    for (const ImageFinding& finding : ImagesNamedInText(html, kPage, 100)) {
        found.push_back(finding.address + " " + KindNames(finding.kind) +
                        (finding.descriptor.empty() ? "" : " " + finding.descriptor));
    }
    return found;
}

TEST(ImagesNamedInText, ReadsTagsAsThePageMeansThem) {
    const struct {
        const char* html;
        std::vector<std::string> found;
    } rows[] = {
        {"<img src=\"a.png\">", {"http://host/dir/a.png img"}},
        // Character references are decoded, as the engine decodes them.
        {"<img src=\"q.png?a=1&amp;b=2\">", {"http://host/dir/q.png?a=1&b=2 img"}},
        // A lazy loader's empty src, or one that is the page itself, names no picture.
        {"<img src=\"\" data-src=\"l.png\">", {"http://host/dir/l.png lazy"}},
        {"<img src=\"page.html#x\"><img src=\" \">", {}},
        // The base counts, for addresses before it too.
        {"<img src=a.png><base href=\"http://cdn/i/\"><img src=b.png>",
         {"http://cdn/i/a.png img", "http://cdn/i/b.png img"}},
        // Links count only when they lead to a picture.
        {"<a href=\"big.JPG\">x</a><a href=\"other.html\">y.png</a><area href=\"m.svg?v=2\">",
         {"http://host/dir/big.JPG link", "http://host/dir/m.svg?v=2 link"}},
        {"<a href=\"data:image/png;base64,AAAA\">", {"data:image/png;base64,AAAA link"}},
        // What script text or a comment holds is no tag.
        {"<script>var s = '<img src=\"no.png\">';</script><!-- <img src=no2.png> -->", {}},
        // Two pictures of the same file name are two pictures.
        {"<img src=\"a/x.png\"><img src=\"b/x.png\">",
         {"http://host/dir/a/x.png img", "http://host/dir/b/x.png img"}},
        {"<img src=a.png srcset=\"a.png 1x, b.png 2x\">",
         {"http://host/dir/a.png img", "http://host/dir/a.png srcset 1x",
          "http://host/dir/b.png srcset 2x"}},
        // A comma in parentheses ends no candidate; one whose descriptors a browser does not
        // read is no picture of the page.
        {"<picture><source srcset=\"w.png 640w 480h, x.png (y, z) 2x, v.png 2x\">",
         {"http://host/dir/w.png picture 640w 480h", "http://host/dir/v.png picture 2x"}},
        {"<img srcset=\"a.png 1x 2x, b.png foo, c.png, d.png 3x\">",
         {"http://host/dir/c.png srcset", "http://host/dir/d.png srcset 3x"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Found(row.html), row.found) << row.html;
    }
}

}  // namespace
}  // namespace quorvane

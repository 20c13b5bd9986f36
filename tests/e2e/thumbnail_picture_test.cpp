// The Image List's thumbnails: each picture type the desktop's loaders read is drawn at
// the list's size, WebP and SVG among them; a file that is no picture is not.
#include "image_list/gui/thumbnail_picture.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <string>

#include "tests/e2e/test_bitmap.h"
#include "tests/support/temp_folder.h"

namespace quorvane::test {
namespace {

// A red picture of 3 × 2 as a lossy WebP file.
const std::string kRedWebp(
    "RIFF\x3c\x00\x00\x00WEBPVP8 \x30\x00\x00\x00\xd0\x01\x00\x9d\x01\x2a\x03\x00\x02\x00"
    "\x02\x00\x34\x25\xa0\x02\x74\xba\x01\xf8\x00\x03\xb0\x00\xfe\xf0\xc4\x0b\xff\x20\xb9\x61"
    "\x75\xc8\xd7\xff\x20\x3f\xe4\x07\xfc\x80\xff\xf8\xf2\x00\x00\x00",
    68);

TEST(ThumbnailImageOfFile, DrawsEveryTypeTheLoadersReadAndNothingElse) {
    constexpr int kSide = 24;
    TempFolder folder;
    const struct {
        const char* name;
        std::string bytes;
        const char* type;
        bool drawn;
    } rows[] = {
        {"/shot.bmp", Bitmap(31, 5), "image/bmp", true},
        {"/red.webp", kRedWebp, "image/webp", true},
        {"/wide.svg",
         R"(<svg xmlns="http://www.w3.org/2000/svg" width="90000" height="30000">)"
         R"(<rect width="90000" height="30000" fill="blue"/></svg>)",
         "image/svg+xml", true},
        {"/broken.png", "\x89PNG\r\n\x1A\n and no more", "image/png", false},
        {"/empty", "", "", false},
    };
    for (const auto& row : rows) {
        folder.Write(row.name, row.bytes);
        const wxImage thumbnail = ThumbnailImageOfFile(folder.File(row.name), row.type, kSide);
        ASSERT_EQ(thumbnail.IsOk(), row.drawn) << row.name;
        if (row.drawn) {
            EXPECT_EQ(thumbnail.GetSize(), wxSize(kSide, kSide)) << row.name;
        }
    }
    // The WebP's own colour, not a placeholder, fills the thumbnail's middle.
    const wxImage red = ThumbnailImageOfFile(folder.File("/red.webp"), "image/webp", kSide);
    EXPECT_GT(red.GetRed(kSide / 2, kSide / 2), 200);
    EXPECT_LT(red.GetGreen(kSide / 2, kSide / 2), 60);
}

}  // namespace
}  // namespace quorvane::test

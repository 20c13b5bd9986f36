// "Save Images…" and "Save Selected Images…" name each picture for the type its bytes say,
// and say so in panel 1.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/user_folders.h"
#include "saving/image_saving.h"
#include "saving/image_type.h"
#include "saving/images_to_save.h"
#include "saving/transfer_messages.h"
#include "tests/main_window/controller_fixture.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_thread.h"

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAreArray;

const std::string kPng = "\x89PNG\r\n\x1A\n rest of a PNG";
const std::string kJpeg = "\xFF\xD8\xFF\xE0 rest of a JPEG";
const std::string kGif = "GIF89a rest of a GIF";

class SavedPictureNamesTest : public ControllerTest {
  protected:
    void SetUp() override { StartUp(); }
    std::vector<std::string> FilesIn(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SavedPictureNamesTest, TheExtensionFollowsTheBytes) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> served;  // address, bytes
        std::vector<std::string> files;
        std::string said;  // after "Saved n of n images to <folder>"
    } rows[] = {
        {"a PNG served as photo.jpg",
         {{"http://host/photo.jpg", kPng}},
         {"photo.png"},
         "; photo.jpg saved as photo.png, for its PNG bytes"},
        {"each named as its bytes say",
         {{"http://host/photo.jpg", kJpeg}, {"http://host/a.png", kGif}},
         {"a.gif", "photo.jpg"},
         "; a.png saved as a.gif, for its GIF bytes"},
        {"several renamed, one name taken by another",
         {{"http://host/x.jpg", kPng},
          {"http://host/x.png", kPng + "2"},
          {"http://host/y.gif", kJpeg},
          {"http://host/script.php", kPng + "3"}},
         {"script.php.png", "x (1).png", "x.png", "y.jpg"},
         "; 3 renamed for their bytes' type: x.jpg as x.png, \u2026"},
        {"bytes of no picture keep their name",
         {{"http://host/error.jpg", "<html>Not here</html>"}},
         {"error.jpg"},
         ""},
        {"a data: picture whose type says otherwise",
         {{"data:image/png;base64,R0lGODlh", ""}},
         {"image-1.gif"},
         "; image-1.png saved as image-1.gif, for its GIF bytes"},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        std::vector<std::string> addresses;
        for (const auto& [address, bytes] : row.served) {
            addresses.push_back(address);
            browser_.ServeFetch(address, bytes);
        }
        ImageSaving saving(surface_, browser_);
        saving.Start(ImagesToSave(addresses), folder.Path());
        EXPECT_THAT(FilesIn(folder.Path()), ElementsAreArray(row.files)) << row.name;
        const std::string count = std::to_string(row.served.size());
        EXPECT_EQ(surface_.statusText,
                  "Saved " + count + " of " + count +
                      (row.served.size() == 1 ? " image" : " images") + " to " +
                      FolderForDisplay(folder.Path(), UserHomeFolder()) + row.said)
            << row.name;
    }
}

// A red picture of 5 by 4 as the desktop's encoder of format writes it ("webp").
std::string Picture(const char* format) {
    GdkPixbuf* picture = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 5, 4);
    gdk_pixbuf_fill(picture, 0xFF0000FF);
    gchar* buffer = nullptr;
    gsize size = 0;
    EXPECT_TRUE(gdk_pixbuf_save_to_buffer(picture, &buffer, &size, format, nullptr, nullptr));
    std::string bytes(buffer, size);
    g_free(buffer);
    g_object_unref(picture);
    return bytes;
}

std::string Base64(const std::string& bytes) {
    gchar* text = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string encoded(text);
    g_free(text);
    return encoded;
}

// The width of the picture in bytes; 0 when they do not decode.
int DecodedWidth(const std::string& bytes) {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    int width = 0;
    if (gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(),
                                nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        width = gdk_pixbuf_get_width(gdk_pixbuf_loader_get_pixbuf(loader));
    } else {
        gdk_pixbuf_loader_close(loader, nullptr);
    }
    g_object_unref(loader);
    return width;
}

TEST_F(SavedPictureNamesTest, ConvertedPicturesTakeTheFormatsExtensionAndTheRestAreSaidKept) {
    const std::string webp = Picture("webp");
    const std::string png = Picture("png");
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"5\" height=\"4\"></svg>";
    const struct {
        const char* name;
        PictureFormat format;
        std::vector<std::pair<std::string, std::string>> served;  // address, bytes
        std::vector<std::string> files;
        std::string said;  // after "Saved n of n images to <folder>"
    } rows[] = {
        {"a WebP and an SVG as PNG",
         PictureFormat::Png,
         {{"http://host/a.webp", webp}, {"http://host/b.svg", svg}},
         {"a.png", "b.png"},
         "; 2 converted to PNG"},
        {"a PNG served as x.jpg is already a PNG",
         PictureFormat::Png,
         {{"http://host/x.jpg", png}},
         {"x.png"},
         "; x.jpg saved as x.png, for its PNG bytes"},
        {"a PNG and a data: WebP as JPEG",
         PictureFormat::Jpeg,
         {{"http://host/p.png", png}, {"data:image/webp;base64," + Base64(webp), ""}},
         {"image-2.jpg", "p.jpg"},
         "; 2 converted to JPEG"},
        {"what does not decode is kept as it came",
         PictureFormat::Png,
         {{"http://host/broken.webp", "RIFF\x10\0\0\0WEBPVP8 broken"},
          {"http://host/error.gif", "<html>Not here</html>"},
          {"http://host/c.webp", webp}},
         {"broken.webp", "c.png", "error.gif"},
         "; 1 converted to PNG; 2 kept as is: bytes that do not decode"},
        {"the same bytes twice are saved once",
         PictureFormat::Png,
         {{"http://host/d.webp", webp}, {"http://host/e.webp", webp}},
         {"d.png"},
         "; 1 converted to PNG; 1 duplicate skipped"},
        {"kept as they came", PictureFormat::Keep, {{"http://host/f.webp", webp}}, {"f.webp"}, ""},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        std::vector<std::string> addresses;
        for (const auto& [address, bytes] : row.served) {
            addresses.push_back(address);
            browser_.ServeFetch(address, bytes);
        }
        ImageSaving saving(surface_, browser_);
        saving.Start(ImagesToSave(addresses), folder.Path(), {row.format, 80});
        EXPECT_THAT(FilesIn(folder.Path()), ElementsAreArray(row.files)) << row.name;
        const std::string count = std::to_string(row.files.size());
        const std::string total = std::to_string(row.served.size());
        EXPECT_EQ(surface_.statusText,
                  "Saved " + count + " of " + total +
                      (row.served.size() == 1 ? " image" : " images") + " to " +
                      FolderForDisplay(folder.Path(), UserHomeFolder()) + row.said)
            << row.name;
        for (const std::string& file : row.files) {
            const std::string bytes = folder.Read("/" + file);
            if (file.ends_with(".png") || file.ends_with(".jpg")) {
                EXPECT_EQ(SniffedImageType(bytes),
                          file.ends_with(".png") ? "image/png" : "image/jpeg")
                    << row.name << ": " << file;
                EXPECT_EQ(DecodedWidth(bytes), 5) << row.name << ": " << file;
            }
        }
    }
}

// Beside the window, the finishing of the files answers on the window's thread: nothing is
// named before, and a run stopped meanwhile leaves no file, not even the one being finished.
TEST_F(SavedPictureNamesTest, PicturesAreFinishedBesideTheWindow) {
    const std::string webp = Picture("webp");
    browser_.ServeFetch("http://host/a.webp", webp);
    browser_.ServeFetch("http://host/b.webp", "RIFF\x10\0\0\0WEBPVP8 broken");
    for (const bool stopped : {false, true}) {
        TempFolder folder;
        WindowThread window;
        {
            ImageSaving saving(surface_, browser_, [&window](std::function<void()> step) {
                window.Post(std::move(step));
            });
            saving.Start(ImagesToSave({"http://host/a.webp", "http://host/b.webp"}), folder.Path(),
                         {PictureFormat::Png, 90});
            window.WaitUntilPosted(2);
            EXPECT_EQ(FilesIn(folder.Path()).size(), 2u) << "the partial files only";
            EXPECT_TRUE(saving.Running());
            if (stopped) {
                saving.Stop();
                EXPECT_EQ(window.RunPostedSteps(), 2u);
                EXPECT_THAT(FilesIn(folder.Path()), ::testing::IsEmpty());
                continue;
            }
            EXPECT_EQ(window.RunPostedSteps(), 2u);
            EXPECT_FALSE(saving.Running());
        }
        EXPECT_THAT(FilesIn(folder.Path()), ElementsAreArray({"a.png", "b.webp"}));
        EXPECT_THAT(
            surface_.statusText,
            ::testing::EndsWith("; 1 converted to PNG; 1 kept as is: bytes that do not decode"));
    }
}

}  // namespace
}  // namespace quorvane::testing

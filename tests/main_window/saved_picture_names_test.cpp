// "Save Images…" and "Save Selected Images…" name each picture for the type its bytes say,
// and say so in panel 1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/user_folders.h"
#include "saving/image_saving.h"
#include "saving/images_to_save.h"
#include "saving/transfer_messages.h"
#include "tests/main_window/controller_fixture.h"
#include "tests/support/temp_folder.h"

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

}  // namespace
}  // namespace quorvane::testing

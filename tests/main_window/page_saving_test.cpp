// "Save Source…" and "Save Page…" saving the page whole (MHTML), against a fake engine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "desktop/user_folders.h"
#include "tests/main_window/controller_fixture.h"
#include "tests/support/temp_folder.h"

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

class PageSavingTest : public ControllerTest {
  protected:
    void SetUp() override {
        StartUp();
        browser_.Navigate("http://host.example/dir/page.html");
        browser_.SetMainResource(ServedResource{"http://host.example/dir/page.html",
                                                "<p>as served</p>", "text/html", ""});
        log_.clear();
    }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::vector<std::string> Names(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder_;
};

// "Save Page…" proposes the page's name as a page saved whole; the engine writes it under
// a partial name that becomes the file's once whole, never over a file that is there.
TEST_F(PageSavingTest, SavePageWritesTheWholePageUnderAFreeName) {
    surface_.fileToSaveSource = (folder_ / "page.mhtml").string();
    controller_.SavePage();
    controller_.SavePage();
    EXPECT_THAT(
        CallsStartingWith(log_, "surface.ChooseFileToSaveSource"),
        ElementsAre(
            "surface.ChooseFileToSaveSource(" + UserDownloadFolder().string() + ", page.mhtml)",
            "surface.ChooseFileToSaveSource(" + UserDownloadFolder().string() + ", page.mhtml)"));
    const std::vector<std::string> archives = CallsStartingWith(log_, "view0.SavePageArchive");
    ASSERT_THAT(archives, SizeIs(2));
    // The engine never writes under the file's own name.
    EXPECT_EQ(archives[0].find("page.mhtml)"), std::string::npos) << archives[0];
    EXPECT_THAT(Names(folder_.Path()), ElementsAre("page (1).mhtml", "page.mhtml"));
    const std::string archive = "MHTML of http://host.example/dir/page.html";
    EXPECT_EQ(ReadFile(folder_ / "page.mhtml"), archive);
    EXPECT_EQ(ReadFile(folder_ / "page (1).mhtml"), archive);
    EXPECT_EQ(surface_.statusText, "Saved page (1).mhtml (" + std::to_string(archive.size()) +
                                       " bytes) to " + folder_.Path());
}

// The name the user gives chooses what is saved, whichever command opened the dialog.
TEST_F(PageSavingTest, TheNameChosenSaysWhetherThePageIsSavedWholeOrAsServed) {
    const struct {
        bool savePage;
        const char* chosen;
        bool whole;
    } rows[] = {
        {false, "page.html", false}, {false, "page.mhtml", true}, {false, "page.MHT", true},
        {true, "page.mhtml", true},  {true, "page.htm", false},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        log_.clear();
        surface_.fileToSaveSource = (folder / row.chosen).string();
        row.savePage ? controller_.SavePage() : controller_.SaveSource();
        EXPECT_THAT(CallsStartingWith(log_, "view0.SavePageArchive"), SizeIs(row.whole ? 1 : 0))
            << row.chosen;
        EXPECT_EQ(ReadFile(folder / row.chosen),
                  row.whole ? "MHTML of http://host.example/dir/page.html" : "<p>as served</p>")
            << row.chosen;
    }
}

// What the engine could not write, or a folder that cannot be written, leaves nothing.
TEST_F(PageSavingTest, AFailedSaveLeavesNothingAndSaysWhy) {
    browser_.FailArchives("Operation not supported");
    surface_.fileToSaveSource = (folder_ / "page.mhtml").string();
    controller_.SavePage();
    EXPECT_EQ(surface_.statusText, "Could not save page.mhtml: Operation not supported");
    EXPECT_THAT(Names(folder_.Path()), IsEmpty());

    // A file stands where the folder would be.
    browser_.FailArchives(std::nullopt);
    folder_.Write("/blocker", "");
    surface_.fileToSaveSource = (folder_ / "blocker" / "page.mhtml").string();
    log_.clear();
    controller_.SavePage();
    EXPECT_THAT(surface_.statusText, ::testing::StartsWith("Could not save page.mhtml: "));
    EXPECT_THAT(CallsStartingWith(log_, "view0.SavePageArchive"), IsEmpty());
    EXPECT_THAT(Names(folder_.Path()), ElementsAre("blocker"));

    // The page of its own the view shows for one that could not be opened is not saved.
    browser_.SetOwnPageStatus("Could not open http://host.example/: refused");
    controller_.SavePage();
    EXPECT_EQ(surface_.statusText,
              "There is no page to save: Could not open http://host.example/: refused");
}

}  // namespace
}  // namespace quorvane::testing

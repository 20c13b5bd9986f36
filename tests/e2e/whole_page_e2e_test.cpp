// A page saved whole (MHTML) end to end: "Save Page…" writes it with its pictures, and the
// saved file, opened again once its server has stopped, shows in every view, and its
// pictures are saved from it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/statusbr.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "desktop/user_folders.h"
#include "engine/address_to_load.h"
#include "inspection/gui/served_source_view.h"
#include "main_window/commands.h"
#include "saving/image_saving.h"
#include "saving/images_to_save.h"
#include "saving/transfer_messages.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/e2e/test_pictures.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class WholePageEndToEnd : public MainWindowEndToEnd {
  protected:
    void SetUp() override {
        MainWindowEndToEnd::SetUp();
        folder_ = UserHomeFolder() / "whole-page-e2e";
        fs::remove_all(folder_);
        setenv("XDG_DOWNLOAD_DIR", folder_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_DOWNLOAD_DIR");
        fs::remove_all(folder_);
        MainWindowEndToEnd::TearDown();
    }
    std::string StatusText() const {
        return frame_->GetStatusBar()->GetStatusText(0).utf8_string();
    }
    // Runs "Save Page…" from its menu item and takes the dialog's suggestion with Enter, as
    // a user does; waits until panel 1 says it is saved.
    void SavePageAs(const fs::path& file) {
        std::thread user([] {
            EXPECT_EQ(
                std::system("timeout 15 xdotool search --sync --onlyvisible --name '^Save Source$' "
                            "windowfocus --sync && sleep 0.5 && xdotool key Return"),
                0);
        });
        CommandFor(CommandId::SavePage).run({frame_->Controller(), *frame_});
        EXPECT_TRUE(WaitUntil([&] { return StatusText().starts_with("Saved "); })) << StatusText();
        user.join();
        EXPECT_TRUE(fs::exists(file)) << file;
    }
    const ImageRow* RowOf(const std::string& address) const {
        for (const ImageRow& row : frame_->ImageTable().List().Rows()) {
            if (row.address == address) {
                return &row;
            }
        }
        return nullptr;
    }

    fs::path folder_;
};

TEST_F(WholePageEndToEnd, ASavedPageOpensAgainWithItsPicturesWithoutItsServer) {
    std::string body = "<p>marker-whole-page</p>";
    for (const TestPicture& picture : TestPictures()) {
        // Kept in no cache of the engine's: only the saved page can give them later.
        server_.ServeWithHeader("/whole/" + picture.name, picture.type, picture.bytes,
                                "Cache-Control: no-store");
        body += "<img src=\"" + picture.name + "\" alt=\"\">";
    }
    // A PNG its server calls a JPEG, its bytes other than the first's (what follows a PNG's
    // end is no part of the picture).
    const std::string misnamed = TestPictures().front().bytes + "another";
    server_.ServeWithHeader("/whole/misnamed.jpg", "image/jpeg", misnamed,
                            "Cache-Control: no-store");
    body += "<img src=\"misnamed.jpg\" alt=\"\">";
    server_.Serve(
        "/whole/page.html", "text/html",
        "<!DOCTYPE html><html><head><title>Whole</title></head><body>" + body + "</body></html>");
    TypeAddressAndPressEnter(server_.Url("/whole/page.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/whole/page.html"), "marker-whole-page"));

    const fs::path file = folder_ / "page.mhtml";
    SavePageAs(file);
    EXPECT_THAT(StatusText(), ::testing::MatchesRegex("Saved page\\.mhtml \\([0-9.]+ kB\\) to .*"));
    EXPECT_THAT(ReadFileBytes(file), ::testing::HasSubstr("marker-whole-page"));
    for (const auto& entry : fs::directory_iterator(folder_)) {
        EXPECT_EQ(entry.path().filename().string(), "page.mhtml") << "nothing but the page is left";
    }

    // The start page comes between, so that nothing the views show is left of the page.
    CommandFor(CommandId::Home).run({frame_->Controller(), *frame_});
    ASSERT_TRUE(WaitForAnalysedPage(HomePageAddress(), "home-browser.svg"));
    // Opened as a file, with the network gone.
    server_.Stop();
    frame_->Element(0).LoadFile(file.string());
    ASSERT_TRUE(WaitForAnalysedPage(AddressToLoad(file.string()), "marker-whole-page"));
    EXPECT_THAT(ReadWorkFile("/imagepage.html"), ::testing::HasSubstr("picture.webp"));

    CommandFor(CommandId::ImageListView).run({frame_->Controller(), *frame_});
    const auto listed = [&] {
        for (const TestPicture& picture : TestPictures()) {
            const ImageRow* row = RowOf(server_.Url("/whole/" + picture.name));
            if (row == nullptr || !row->bytes || row->naturalWidth == 0) {
                return false;
            }
        }
        const ImageRow* other = RowOf(server_.Url("/whole/misnamed.jpg"));
        return other != nullptr && other->bytes.has_value();
    };
    ASSERT_TRUE(WaitUntil(listed)) << frame_->ImageTable().List().Rows().size() << " rows";
    for (const TestPicture& picture : TestPictures()) {
        const ImageRow& row = *RowOf(server_.Url("/whole/" + picture.name));
        EXPECT_EQ(std::tie(row.naturalWidth, row.naturalHeight),
                  std::tie(picture.width, picture.height))
            << picture.name;
        EXPECT_EQ(row.bytes, picture.bytes.size()) << picture.name;
        EXPECT_EQ(row.type, picture.type) << picture.name;
    }

    const ImageRow* misnamedRow = RowOf(server_.Url("/whole/misnamed.jpg"));
    ASSERT_NE(misnamedRow, nullptr);
    EXPECT_EQ(misnamedRow->type, "image/png");

    // The Original Source view shows the page's document as it was saved, at its address:
    // the engine writes each picture's address whole.
    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    ServedSourceView& served = frame_->ServedSource();
    const std::string savedPicture = "src=\"" + server_.Url("/whole/picture.png") + "\"";
    ASSERT_TRUE(WaitUntil([&] {
        return served.Complete() && served.ShownText().find(savedPicture) != std::string_view::npos;
    })) << served.ShownText();
    EXPECT_THAT(std::string(served.ShownText()), ::testing::HasSubstr("marker-whole-page"));
    EXPECT_EQ(served.ShownText().find("Content-Type:"), std::string_view::npos);
    EXPECT_EQ(served.PageAddress(), server_.Url("/whole/page.html"));

    // Its pictures are saved from the archive, each named as its bytes say.
    const fs::path pictures = folder_ / "pictures";
    std::vector<std::string> addresses;
    for (const TestPicture& picture : TestPictures()) {
        addresses.push_back(server_.Url("/whole/" + picture.name));
    }
    addresses.push_back(server_.Url("/whole/misnamed.jpg"));
    ImageSaving saving(*frame_, frame_->Element(0));
    saving.Start(ImagesToSave(addresses), pictures);
    ASSERT_TRUE(WaitUntil([&] { return !saving.Running(); }));
    for (const TestPicture& picture : TestPictures()) {
        EXPECT_EQ(ReadFileBytes(pictures / picture.name), picture.bytes) << picture.name;
    }
    EXPECT_EQ(ReadFileBytes(pictures / "misnamed.png"), misnamed);
    EXPECT_FALSE(fs::exists(pictures / "misnamed.jpg"));
    EXPECT_THAT(StatusText(),
                ::testing::EndsWith(" images to " + FolderForDisplay(pictures, UserHomeFolder()) +
                                    "; misnamed.jpg saved as misnamed.png, for its PNG bytes"));
    EXPECT_THAT(StatusText(), ::testing::StartsWith("Saved 5 of 5 images"));
}

}  // namespace
}  // namespace quorvane::test

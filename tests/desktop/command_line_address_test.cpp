#include "desktop/command_line_address.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

// "quorvane page.mhtml" in a terminal opens the file there, not the web site "page.mhtml".
TEST(CommandLineAddress, NamesAFileOfTheStartFolderByItsWholePath) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "saved");
    folder.Write("/page.mhtml", "archive");
    folder.Write("/saved/page.mht", "archive");
    const std::string start = (std::filesystem::path(folder.Path()) / "saved").string();
    const struct {
        std::string argument;
        std::string address;
    } rows[] = {
        {"page.mht", folder.Path() + "/saved/page.mht"},
        {"../page.mhtml", folder.Path() + "/page.mhtml"},
        {"./page.mht", folder.Path() + "/saved/page.mht"},
        // What names no file there is an address.
        {"example.com", "example.com"},
        {"localhost:8080/page.mht", "localhost:8080/page.mht"},
        {"page.mhtml", "page.mhtml"},
        {"..", ".."},
        {"http://example.com/page.mht", "http://example.com/page.mht"},
        {"file:page.mht", "file:page.mht"},
        {"/elsewhere/page.mht", "/elsewhere/page.mht"},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CommandLineAddress(row.argument, start), row.address) << row.argument;
    }
    EXPECT_EQ(CommandLineAddress("page.mht", {}), "page.mht");
}

}  // namespace
}  // namespace quorvane

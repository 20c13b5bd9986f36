#include "branding/website_request.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "branding/branding_values.h"
#include "branding/default_browser.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

TEST(AddSchemeWhenMissing, PutsHttpInFrontOnlyWithoutAScheme) {
    struct Row {
        const char* address;
        const char* opened;
    } rows[] = {
        {"tarnwick.example", "http://tarnwick.example"},
        {"", "http://"},
        {"http://tarnwick.example", "http://tarnwick.example"},
        {"HTTPS://tarnwick.example", "HTTPS://tarnwick.example"},
        {"Http://Tarnwick.example", "Http://Tarnwick.example"},
        {"see https://tarnwick.example", "http://see https://tarnwick.example"},
        {"ftp://tarnwick.example", "http://ftp://tarnwick.example"},
        {"http:/tarnwick.example", "http://http:/tarnwick.example"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AddSchemeWhenMissing(row.address), row.opened) << row.address;
    }
}

TEST(ServeWebsiteRequest, OpensTheWebsiteOnceClearsTheRequestAndSaysWhyItDidNotStart) {
    for (const std::optional<std::string>& failure :
         {std::optional<std::string>(), std::optional<std::string>("no handler")}) {
        std::vector<std::string> opened;
        const WebsiteLauncher record = [&](const std::string& address) {
            opened.push_back(address);
            return failure;
        };
        branding.website = "changed by someone";  // the load reloads the branding values first

        websiteRequest = "Website";
        EXPECT_EQ(ServeWebsiteRequest(record), (WebsiteVisit{"http://tarnwick.example", failure}));
        EXPECT_EQ(websiteRequest, "");
        EXPECT_EQ(ServeWebsiteRequest(record), std::nullopt);
        EXPECT_EQ(opened, std::vector<std::string>{"http://tarnwick.example"});
    }
    EXPECT_EQ(WebsiteNotStartedMessage("http://tarnwick.example", "no handler"),
              "Could not start the default browser for http://tarnwick.example: no handler");
}

// A desktop with no browser for the address's scheme: the launch fails and says why,
// rather than count a helper script as started; with one, it starts. Each case runs in a
// child of its own, as GIO reads the desktop's handlers once.
TEST(OpenInDefaultBrowser, SaysWhyNoBrowserCouldBeStarted) {
    const struct {
        const char* desktopEntry;  // the handler of http: addresses, or none
        bool fails;
    } rows[] = {
        {nullptr, true},
        {"[Desktop Entry]\nType=Application\nName=Browser\nExec=true %u\n"
         "MimeType=x-scheme-handler/http;\n",
         false},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        std::filesystem::create_directories(folder / "applications");
        if (row.desktopEntry != nullptr) {
            folder.Write("/applications/browser.desktop", row.desktopEntry);
            folder.Write("/mimeapps.list",
                         "[Default Applications]\nx-scheme-handler/http=browser.desktop\n");
        }
        int said[2];
        ASSERT_EQ(::pipe(said), 0);
        const int exit = RunInChild([&] {
            for (const char* variable :
                 {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
                ::setenv(variable, folder.Path().c_str(), 1);
            }
            ::unsetenv("GIO_USE_PORTALS");
            const std::string reason = OpenInDefaultBrowser("http://tarnwick.example").value_or("");
            return ::write(said[1], reason.data(), reason.size()) ==
                           static_cast<ssize_t>(reason.size())
                       ? 0
                       : 1;
        });
        ::close(said[1]);
        std::string reason(4096, '\0');
        const ssize_t read = ::read(said[0], reason.data(), reason.size());
        ::close(said[0]);
        reason.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
        EXPECT_EQ(exit, 0);
        EXPECT_EQ(!reason.empty(), row.fails) << reason;
    }
}

TEST(ServeWebsiteRequest, OtherRequestsOpenNothingAndStay) {
    for (const char* request : {"website", "Website ", "Help"}) {
        bool called = false;
        websiteRequest = request;
        EXPECT_EQ(ServeWebsiteRequest([&](const std::string&) {
                      called = true;
                      return std::optional<std::string>();
                  }),
                  std::nullopt);
        EXPECT_FALSE(called) << request;
        EXPECT_EQ(websiteRequest, request);
    }
    websiteRequest.clear();
}

}  // namespace
}  // namespace quorvane

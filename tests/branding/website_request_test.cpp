#include "branding/website_request.h"

#include <gtest/gtest.h>

#include <vector>

#include "branding/branding_values.h"

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

TEST(ServeWebsiteRequest, OpensTheWebsiteOnceClearsTheRequestAndSaysWhetherItStarted) {
    for (const bool starts : {true, false}) {
        std::vector<std::string> opened;
        const WebsiteLauncher record = [&](const std::string& address) {
            opened.push_back(address);
            return starts;
        };
        branding.website = "changed by someone";  // the load reloads the branding values first

        websiteRequest = "Website";
        EXPECT_EQ(ServeWebsiteRequest(record), (WebsiteVisit{"http://tarnwick.example", starts}));
        EXPECT_EQ(websiteRequest, "");
        EXPECT_EQ(ServeWebsiteRequest(record), std::nullopt);
        EXPECT_EQ(opened, std::vector<std::string>{"http://tarnwick.example"});
    }
}

TEST(ServeWebsiteRequest, OtherRequestsOpenNothingAndStay) {
    for (const char* request : {"website", "Website ", "Help"}) {
        bool called = false;
        websiteRequest = request;
        EXPECT_EQ(ServeWebsiteRequest([&](const std::string&) { return called = true; }),
                  std::nullopt);
        EXPECT_FALSE(called) << request;
        EXPECT_EQ(websiteRequest, request);
    }
    websiteRequest.clear();
}

}  // namespace
}  // namespace quorvane

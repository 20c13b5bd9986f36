#include "desktop/start_request.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane {
namespace {

using Arguments = std::vector<std::string>;

StartRequest ByPerson(std::string address = {}) {
    return {std::move(address), StartedBy::Person, std::nullopt};
}

StartRequest ByWindow(std::string address, std::optional<ScreenRect> place = std::nullopt) {
    return {std::move(address), StartedBy::AnotherWindow, place};
}

TEST(StartRequest, ReadsWhatAPersonOrAWindowAsks) {
    const struct {
        const char* name;
        Arguments arguments;
        StartRequest request;
    } rows[] = {
        {"a person, no address", {}, ByPerson()},
        {"a person, an address", {"http://a.example/"}, ByPerson("http://a.example/")},
        {"a person's address that looks like a switch", {"--help"}, ByPerson("--help")},
        {"a window, an address",
         {"--opened-from=10,20,800,600", "--", "http://a.example/"},
         ByWindow("http://a.example/", ScreenRect{10, 20, 800, 600})},
        {"a window, the home page",
         {"--opened-from=-5,0,800,600", "--"},
         ByWindow("", ScreenRect{-5, 0, 800, 600})},
        {"a window's address that looks like a switch",
         {"--opened-from=0,0,1,1", "--", "--opened-from=1,2,3,4"},
         ByWindow("--opened-from=1,2,3,4", ScreenRect{0, 0, 1, 1})},
        {"a window of no known place", {"--opened-from=", "--"}, ByWindow("")},
        {"a place cut short", {"--opened-from=1,2,3"}, ByWindow("")},
        {"a place with more", {"--opened-from=1,2,3,4,5"}, ByWindow("")},
        {"a place with no size", {"--opened-from=1,2,0,4"}, ByWindow("")},
        {"a place of words", {"--opened-from=a,b,c,d"}, ByWindow("")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadStartArguments(row.arguments), row.request);
    }
}

TEST(StartRequest, ArgumentsAreReadBackAsTheRequest) {
    const StartRequest requests[] = {
        ByPerson(),
        ByPerson("http://a.example/x?y=1"),
        ByWindow("", ScreenRect{0, 0, 1280, 1024}),
        ByWindow("--opened-from=1,2,3,4", ScreenRect{-1, -2, 3, 4}),
        ByWindow("http://a.example/"),
    };
    for (const StartRequest& request : requests) {
        SCOPED_TRACE(request.address);
        EXPECT_EQ(ReadStartArguments(StartArguments(request)), request);
    }
}

}  // namespace
}  // namespace quorvane

// The address box shared by the user and the page's title changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/main_window/controller_fixture.h"

namespace quorvane::testing {
namespace {

class AddressBoxTest : public ControllerTest {
  protected:
    void SetUp() override {
        StartUp();
        browser_.Navigate("http://host.example/page.html");
        controller_.TitleChange(0, "");
    }

    // One step of the user or the page: "type:<text>" (the user's text in the box),
    // "title" (the page's title changes), "page:<address>" (the page moves on and its
    // title changes), "escape", "enter", "leave" (the keyboard goes to another control).
    void Run(const std::string& step) {
        if (step.starts_with("type:")) {
            surface_.address = step.substr(5);
            controller_.AddressTyped(surface_.address);
        } else if (step == "title") {
            controller_.TitleChange(0, "");
        } else if (step.starts_with("page:")) {
            browser_.Navigate(step.substr(5));
            controller_.TitleChange(0, "");
        } else if (step == "escape") {
            escapeUsed_.push_back(controller_.EscapeInAddressBox());
        } else if (step == "enter") {
            controller_.EnterInAddressBox();
        } else if (step == "leave") {
            controller_.AddressBoxLeft();
        } else {
            FAIL() << "no step " << step;
        }
    }

    std::vector<bool> escapeUsed_;
};

TEST_F(AddressBoxTest, KeepsWhatTheUserTypesUntilTheyAreDone) {
    const struct {
        const char* name;
        std::vector<const char*> steps;
        const char* box;  // what the box holds at the end
        std::vector<bool> escapeUsed;
    } rows[] = {
        {"title changes while typing", {"type:exa", "title", "title"}, "exa", {}},
        {"the page moves on while typing", {"type:exa", "page:http://host.example/b"}, "exa", {}},
        {"typed back to the address",
         {"type:http://host.example/page.htm", "type:http://host.example/page.html",
          "page:http://b/"},
         "http://b/",
         {}},
        {"untouched box follows", {"page:http://b/"}, "http://b/", {}},
        {"escape puts the latest address back",
         {"type:exa", "page:http://b/", "escape"},
         "http://b/",
         {true}},
        {"escape then follows again",
         {"type:exa", "escape", "page:http://c/"},
         "http://c/",
         {true}},
        {"escape in an untouched box is Stop's",
         {"escape"},
         "http://host.example/page.html",
         {false}},
        {"enter sends and follows again", {"type:http://d/", "enter", "title"}, "http://d/", {}},
        {"leaving for the page follows again",
         {"type:exa", "leave", "page:http://c/"},
         "http://c/",
         {}},
        {"typing again after leaving", {"type:exa", "leave", "type:exam", "title"}, "exam", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        controller_.AddressBoxLeft();
        Run("page:http://host.example/page.html");
        escapeUsed_.clear();
        for (const char* step : row.steps) {
            Run(step);
        }
        EXPECT_EQ(surface_.address, row.box);
        EXPECT_EQ(escapeUsed_, row.escapeUsed);
    }
}

// The caption is the page's whatever the box does.
TEST_F(AddressBoxTest, TheCaptionFollowsTheTitleWhileTheUserTypes) {
    Run("type:exa");
    browser_.SetTitle("Ticking 2");
    Run("title");
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads - Ticking 2");
    EXPECT_EQ(surface_.address, "exa");
}

// Up Dir writes the box for the user: a title change then writes it again.
TEST_F(AddressBoxTest, ACommandsAddressIsTheProgramsOwn) {
    Run("type:http://host.example/dir/sub/x.html");
    controller_.UpDir();
    EXPECT_EQ(surface_.address, "http://host.example/dir/sub/");
    Run("page:http://host.example/dir/sub/");
    EXPECT_EQ(surface_.address, "http://host.example/dir/sub/");
}

}  // namespace
}  // namespace quorvane::testing

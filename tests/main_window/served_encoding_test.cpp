// The encoding the user chooses for the served text, and how long the choice lasts.
#include "inspection/served_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/main_window/fake_browser_element.h"
#include "tests/main_window/fake_source_pane.h"

namespace quorvane::testing {
namespace {

// "Привет" in windows-1251, said to be iso-8859-1 (which browsers read as windows-1252).
constexpr const char* kCyrillicBytes = "<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>";
constexpr const char* kAsWestern = "<p>\xc3\x8f\xc3\xb0\xc3\xa8\xc3\xa2\xc3\xa5\xc3\xb2</p>";
constexpr const char* kAsCyrillic = "<p>\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82</p>";

class ServedEncodingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        browser_.SetMainResource(
            ServedResource{"http://host.example/", kCyrillicBytes, "text/html", "iso-8859-1"});
        encoding_.ReadBytesFrom(browser_);
    }
    // What the follower does with a page's bytes.
    void Follow(const std::string& address) {
        encoding_.TellEncoding("windows-1252");
        encoding_.ShowSource(kAsWestern, address);
    }

    CallLog log_;
    FakeBrowserElement browser_{"browser", log_};
    FakeSourcePane pane_{log_};
    ServedEncoding encoding_{pane_};
};

TEST_F(ServedEncodingTest, ShowsThePagesOwnEncodingUntilOneIsChosen) {
    Follow("http://host.example/");
    EXPECT_EQ(pane_.text, kAsWestern);
    EXPECT_EQ(encoding_.ShownEncoding(), "windows-1252");
    EXPECT_FALSE(encoding_.Chosen());
}

TEST_F(ServedEncodingTest, ReadsTheBytesAgainInTheChosenEncoding) {
    Follow("http://host.example/");
    encoding_.Choose(*EncodingForLabel("windows-1251"));
    EXPECT_EQ(pane_.text, kAsCyrillic);
    EXPECT_EQ(pane_.pageAddress, "http://host.example/");
    EXPECT_EQ(encoding_.ShownEncoding(), "windows-1251");
}

// The choice lasts for the page: its reload keeps it, another page drops it.
TEST_F(ServedEncodingTest, TheChoiceLastsForThePageOnly) {
    Follow("http://host.example/");
    encoding_.Choose(*EncodingForLabel("windows-1251"));
    Follow("http://host.example/");
    EXPECT_EQ(pane_.text, kAsCyrillic);
    EXPECT_TRUE(encoding_.Chosen());
    Follow("http://other.example/");
    EXPECT_EQ(pane_.text, kAsWestern);
    EXPECT_FALSE(encoding_.Chosen());
    EXPECT_EQ(encoding_.ShownEncoding(), "windows-1252");
}

TEST_F(ServedEncodingTest, ChoosesNothingWithoutAPage) {
    encoding_.Choose(*EncodingForLabel("windows-1251"));
    EXPECT_FALSE(encoding_.Chosen());
    EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace quorvane::testing

// The gatherer's reports read beside the window: handed over in the order they came,
// whichever thread read them, and never once their page has gone.
#include "image_list/image_report_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/window_thread.h"

namespace quorvane::testing {
namespace {

std::string Report(const std::string& frame) {
    return R"({"frame":")" + frame + R"(","gather":1,"items":[{"a":"http://h/)" + frame +
           R"(.png","k":"img"}]})";
}

// A report too many for the bytes waiting is read at once on the window's thread, yet
// handed over only after the reports that came before it, one that cannot be read
// dropped on the way.
TEST(ImageReportReader, HandsOverInTheOrderTheReportsCame) {
    WindowThread window;
    std::vector<std::string> read;
    const std::string first = Report("first");
    ImageReportReader reader([&read](ImageReport report) { read.push_back(report.frame); },
                             [&window](std::function<void()> step) { window.Post(step); },
                             first.size() + 10);
    reader.Add(first);
    reader.Add("{broken");
    reader.Add(Report("beyond the bound"));
    EXPECT_TRUE(read.empty());
    window.RunSteps(2);
    EXPECT_EQ(read, (std::vector<std::string>{"first", "beyond the bound"}));
    reader.Add(Report("later"));
    ASSERT_EQ(read.size(), 2U) << "the bytes handed over wait no more";
    window.RunSteps(1);
    EXPECT_EQ(read.back(), "later");
}

// The reports of the page before, whether read already or not, never reach the new page.
TEST(ImageReportReader, DropsTheReportsOfThePageBefore) {
    WindowThread window;
    std::vector<std::string> read;
    ImageReportReader reader([&read](ImageReport report) { read.push_back(report.frame); },
                             [&window](std::function<void()> step) { window.Post(step); });
    reader.Add(Report("before"));
    reader.Add(Report("also before"));
    reader.Clear();
    reader.Add(Report("new"));
    while (read.empty()) {
        window.RunSteps(1);
    }
    EXPECT_EQ(read, std::vector<std::string>{"new"});
}

}  // namespace
}  // namespace quorvane::testing

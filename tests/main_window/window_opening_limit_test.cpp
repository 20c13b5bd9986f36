#include "main_window/window_opening_limit.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

using std::chrono::seconds;

// Each row: the seconds at which a page asks for windows, and which it gets.
TEST(WindowOpeningLimit, APageOpensAtMostThreeWindowsInAnyMinute) {
    struct Row {
        std::vector<int> at;
        std::vector<bool> allowed;
    } rows[] = {
        {{0, 0, 0, 0}, {true, true, true, false}},
        {{0, 1, 2, 59, 60, 61, 62}, {true, true, true, false, true, true, true}},
        {{0, 30, 50, 70, 80}, {true, true, true, true, false}},
        {{0, 100, 200, 300, 400}, {true, true, true, true, true}},
    };
    for (const auto& row : rows) {
        WindowOpeningLimit limit;
        const auto start = WindowOpeningLimit::Clock::time_point{} + std::chrono::hours(1);
        std::vector<bool> allowed;
        for (int at : row.at) {
            allowed.push_back(limit.Allow(start + seconds(at)));
        }
        EXPECT_EQ(allowed, row.allowed) << ::testing::PrintToString(row.at);
    }
}

}  // namespace
}  // namespace quorvane

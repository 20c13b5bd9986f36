#include "tests/e2e/main_window_fixture.h"

#include <filesystem>

namespace quorvane::test {

void MainWindowEndToEnd::SetUp() {
    ASSERT_TRUE(
        Open(FreshTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name())));
}

void MainWindowEndToEnd::TearDown() {
    Close();
    std::filesystem::remove_all(workFolder_);
}

}  // namespace quorvane::test

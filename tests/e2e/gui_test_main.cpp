// The entry point of the end-to-end tests that drive the windows in this process: wx
// is started once, and every test runs the GUI's events itself (event_pump.h).
#include <gtest/gtest.h>

#include "tests/e2e/gui_session.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    quorvane::test::GuiSession session(argc, argv);
    if (!session.Started()) {
        return 2;
    }
    return RUN_ALL_TESTS();
}

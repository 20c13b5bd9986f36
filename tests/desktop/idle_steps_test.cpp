#include "desktop/gui/idle_steps.h"

#include <glib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

gboolean NoteTimer(gpointer ran) {
    static_cast<std::vector<std::string>*>(ran)->push_back("timer");
    return G_SOURCE_REMOVE;
}

// A task cut into slices gives the loop its turn between them: what came due during a
// slice (here a timer; input and drawing alike) runs before the next slice, and the steps
// that waited together run together.
TEST(IdleSteps, AStepPostedByAStepWaitsForWhatCameDueMeanwhile) {
    std::vector<std::string> ran;
    IdleSteps steps;
    steps.Post([&] {
        ran.push_back("first slice");
        g_timeout_add(0, &NoteTimer, &ran);
        steps.Post([&] { ran.push_back("next slice"); });
    });
    steps.Post([&] { ran.push_back("waited with the first"); });
    for (int turn = 0; turn < 100 && ran.size() < 4; ++turn) {
        g_main_context_iteration(nullptr, TRUE);
    }
    EXPECT_THAT(
        ran, ::testing::ElementsAre("first slice", "waited with the first", "timer", "next slice"));
}

}  // namespace
}  // namespace quorvane

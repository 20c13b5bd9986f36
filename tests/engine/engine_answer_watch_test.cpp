#include "engine/engine_answer_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

using Remedy = EngineAnswerWatch::Remedy;

// Each row is an order of events, one letter each: L a load asked for "new" while the engine
// loads another, l one asked for while it loads nothing, S Stop while
// "old" is shown and loading, s Stop with nothing loading, B the engine began a load, E it
// ended one; then the grace runs out.
TEST(EngineAnswerWatch, AnUnansweredRequestEndsInAFreshEngine) {
    struct Row {
        const char* events;
        EngineAnswerWatch::Verdict verdict;
    } rows[] = {
        {"LB", {}},
        {"LBE", {}},
        {"l", {}},
        {"Ll", {}},
        {"lS", {Remedy::RestartAndShowStopped, "old"}},
        {"L", {Remedy::RestartAndLoad, "new"}},
        // The old page's load, cut short by the request, ends; the new one never begins.
        {"LE", {Remedy::RestartAndLoad, "new"}},
        {"LBL", {Remedy::RestartAndLoad, "new"}},
        {"S", {Remedy::RestartAndShowStopped, "old"}},
        {"SE", {}},
        {"SB", {Remedy::RestartAndShowStopped, "old"}},
        {"s", {}},
        {"", {}},
        // Stopped before it began: the page asked for is the one shown as stopped.
        {"LS", {Remedy::RestartAndShowStopped, "new"}},
        {"LSE", {}},
        // A request after a Stop the engine did not answer is watched on its own.
        {"SL", {Remedy::RestartAndLoad, "new"}},
        {"SLB", {}},
    };
    for (const auto& row : rows) {
        EngineAnswerWatch watch;
        for (const char* event = row.events; *event != '\0'; ++event) {
            switch (*event) {
                case 'L':
                    watch.LoadAsked("new", true);
                    break;
                case 'l':
                    watch.LoadAsked("new", false);
                    break;
                case 'S':
                    watch.StopAsked("old", true);
                    break;
                case 's':
                    watch.StopAsked("old", false);
                    break;
                case 'B':
                    watch.LoadStarted();
                    break;
                case 'E':
                    watch.LoadEnded();
                    break;
                default:
                    FAIL() << *event;
            }
        }
        EXPECT_EQ(watch.GraceOver(), row.verdict) << row.events;
        // A verdict is given once: the fresh engine is watched anew.
        EXPECT_EQ(watch.GraceOver(), EngineAnswerWatch::Verdict{}) << row.events;
    }
}

}  // namespace
}  // namespace quorvane

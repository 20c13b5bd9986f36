// The life of a page in a generated view, fed the element's events in the orders the
// engine and the user give them, the ones that raced before among them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/generated_view_load.h"

namespace quorvane {
namespace {

using State = GeneratedViewLoad::State;

enum class Event {
    AskSmall,
    AskLarge,
    Start,
    Finish,
    Show,
    Hide,
    Width,
    Watch,
    Find,
    EndFind,
    Prepare,
    PrepareFailed,
    FirstScreen,
    LaidOut,
};

// What the element was told over all events, in counts, and the state at the end.
struct Outcome {
    int holds = 0;
    int releases = 0;
    int engineEnds = 0;
    int heldFindsRun = 0;
    int findsHeld = 0;
    State state = State::Shown;
    bool operator==(const Outcome&) const = default;
};

Outcome Feed(const std::vector<Event>& events, GeneratedViewLoad& load) {
    Outcome outcome;
    const auto add = [&outcome](const GeneratedViewLoad::Actions& actions) {
        outcome.holds += actions.holdDrawing;
        outcome.releases += actions.releaseDrawing;
        outcome.engineEnds += actions.endEngineProcess;
        outcome.heldFindsRun += actions.runHeldFind;
    };
    for (const Event event : events) {
        switch (event) {
            case Event::AskSmall:
                add(load.Asked(2'000));
                break;
            case Event::AskLarge:
                add(load.Asked(GeneratedViewLoad::kLargePageBytes));
                break;
            case Event::Start:
                add(load.Started());
                break;
            case Event::Finish:
                add(load.Finished());
                break;
            case Event::Show:
                add(load.ShownChanged(true));
                break;
            case Event::Hide:
                add(load.ShownChanged(false));
                break;
            case Event::Width:
                add(load.WidthChanged(true));
                break;
            case Event::Watch:
                add(load.WatchRanOut());
                break;
            case Event::Find:
                outcome.findsHeld += load.HoldFind();
                break;
            case Event::EndFind:
                load.EndFind();
                break;
            case Event::Prepare:
                add(load.Preparing(true));
                break;
            case Event::FirstScreen:
                add(load.FirstScreenPrepared());
                break;
            case Event::PrepareFailed:
                add(load.Preparing(false));
                break;
            case Event::LaidOut:
                add(load.LaidOut());
                break;
        }
    }
    outcome.state = load.Current();
    return outcome;
}

Outcome Feed(const std::vector<Event>& events) {
    GeneratedViewLoad load;
    return Feed(events, load);
}

using enum Event;

TEST(GeneratedViewLoad, DrawsAPageOnceReadWholeAndShownWithItsWidth) {
    const struct {
        const char* name;
        std::vector<Event> events;
        Outcome outcome;
    } rows[] = {
        {"shown first", {Show, Width, AskSmall, Start, Finish}, {1, 1, 0, 0, 0, State::Shown}},
        {"read while hidden", {AskSmall, Start, Finish}, {1, 0, 0, 0, 0, State::ReadAndHeld}},
        {"shown after the read",
         {AskSmall, Start, Finish, Show, Width},
         {1, 1, 0, 0, 0, State::Shown}},
        {"width before shown",
         {Width, AskSmall, Start, Finish, Show},
         {1, 1, 0, 0, 0, State::Shown}},
        {"shown without width yet",
         {Show, AskSmall, Start, Finish},
         {1, 0, 0, 0, 0, State::ReadAndHeld}},
        {"shown while reading", {AskSmall, Start, Show, Width}, {1, 0, 0, 0, 0, State::Reading}},
        {"hidden again before the end",
         {Show, Width, AskSmall, Start, Hide, Finish},
         {1, 0, 0, 0, 0, State::ReadAndHeld}},
        {"two pages, one hold",
         {Show, Width, AskSmall, AskSmall, Start, Finish},
         {1, 1, 0, 0, 0, State::Shown}},
        // The old load's end comes after the new page was asked for: it must not draw the
        // old page, nor the new one before it is read.
        {"old load ends after a new ask",
         {Show, Width, AskSmall, Start, AskSmall, Finish},
         {1, 0, 0, 0, 0, State::WaitingToStart}},
        {"then the new one is read",
         {Show, Width, AskSmall, Start, AskSmall, Finish, Start, Finish},
         {1, 1, 0, 0, 0, State::Shown}},
        {"a second page after the first was drawn",
         {Show, Width, AskSmall, Start, Finish, AskSmall, Start, Finish},
         {2, 2, 0, 0, 0, State::Shown}},
        // A link the user follows inside the view is drawn as it comes.
        {"a load nobody asked for", {Show, Width, Start, Finish}, {0, 0, 0, 0, 0, State::Shown}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Feed(row.events), row.outcome) << row.name;
    }
}

TEST(GeneratedViewLoad, EndsTheEngineProcessOnlyWhenALargeOldPageKeepsItBusy) {
    const struct {
        const char* name;
        std::vector<Event> events;
        int engineEnds;
    } rows[] = {
        // A loaded machine starts small pages late: nothing is stuck.
        {"small pages, watch runs out", {Show, Width, AskSmall, Start, AskSmall, Watch}, 0},
        {"after a small drawn page", {Show, Width, AskSmall, Start, Finish, AskSmall, Watch}, 0},
        // The engine still reads a large page, or lays out one it has just drawn.
        {"large page still read", {Show, Width, AskLarge, Start, AskSmall, Watch}, 1},
        {"large page drawn", {Show, Width, AskLarge, Start, Finish, AskSmall, Watch}, 1},
        {"large page drawn, two asks",
         {Show, Width, AskLarge, Start, Finish, AskSmall, AskSmall, Watch},
         1},
        // Laid out, the page drawn keeps the engine busy no more.
        {"large page drawn and laid out",
         {Show, Width, AskLarge, Start, Finish, LaidOut, AskSmall, Watch},
         0},
        // Read but held back, a large page was never laid out.
        {"large page held, hidden", {AskLarge, Start, Finish, AskSmall, Watch}, 0},
        // The watch's event may come after the load began.
        {"watch after the start", {Show, Width, AskLarge, Start, AskSmall, Start, Watch}, 0},
        {"watch runs out twice", {Show, Width, AskLarge, Start, AskSmall, Watch, Watch}, 1},
        {"large page asked, small drawn",
         {Show, Width, AskLarge, AskSmall, Start, Finish, AskSmall, Watch},
         0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Feed(row.events).engineEnds, row.engineEnds) << row.name;
    }
}

TEST(GeneratedViewLoad, ASearchWaitsForThePageToBeDrawn) {
    const struct {
        const char* name;
        std::vector<Event> events;
        int findsHeld;
        int heldFindsRun;
    } rows[] = {
        {"page drawn", {Show, Width, AskSmall, Start, Finish, Find}, 0, 0},
        {"page read, view hidden", {AskSmall, Start, Finish, Find, Show, Width}, 1, 1},
        {"while reading", {Show, Width, AskSmall, Start, Find, Finish}, 1, 1},
        {"ended before the draw", {AskSmall, Start, Finish, Find, EndFind, Show, Width}, 1, 0},
        {"runs once", {Show, Width, AskSmall, Find, Start, Finish, AskSmall, Start, Finish}, 1, 1},
        {"while the new page is made", {Show, Width, Prepare, Find, AskSmall, Start, Finish}, 1, 1},
        {"its making failed", {Show, Width, Prepare, Find, PrepareFailed}, 1, 1},
    };
    for (const auto& row : rows) {
        const Outcome outcome = Feed(row.events);
        EXPECT_EQ(outcome.findsHeld, row.findsHeld) << row.name;
        EXPECT_EQ(outcome.heldFindsRun, row.heldFindsRun) << row.name;
    }
}

// From the start of a new page's making until its first screen is drawn, a shown view never
// shows the old page as if it were the new one, nor an empty one; a large page's first screen
// shows until the engine has laid the whole out.
TEST(GeneratedViewLoad, CoversTheViewUntilThePageIsDrawn) {
    using Cover = GeneratedViewLoad::Cover;
    const struct {
        const char* name;
        std::vector<Event> events;
        Cover cover;
    } rows[] = {
        {"being prepared", {Show, Width, AskSmall, Start, Finish, Prepare}, Cover::PreparingLine},
        {"prepared while hidden, then shown", {Prepare, Show}, Cover::PreparingLine},
        {"hidden", {Show, Width, Prepare, Hide}, Cover::None},
        {"its making failed", {Show, Width, Prepare, PrepareFailed}, Cover::None},
        {"a small page asked", {Show, Width, Prepare, AskSmall}, Cover::PreparingLine},
        {"a small page released, not yet on the screen",
         {Show, Width, AskSmall, Start, Finish},
         Cover::PreparingLine},
        {"a small page laid out", {Show, Width, AskSmall, Start, Finish, LaidOut}, Cover::None},
        {"a large page asked", {Show, Width, Prepare, AskLarge}, Cover::FirstScreen},
        {"a large page read", {Show, Width, AskLarge, Start}, Cover::FirstScreen},
        {"read while hidden, then shown", {AskLarge, Start, Finish, Show}, Cover::FirstScreen},
        {"released, being laid out", {Show, Width, AskLarge, Start, Finish}, Cover::FirstScreen},
        {"laid out", {Show, Width, AskLarge, Start, Finish, LaidOut}, Cover::None},
        {"a newer page asked while laying out",
         {Show, Width, AskLarge, Start, Finish, AskSmall},
         Cover::PreparingLine},
        {"a link followed in a drawn page", {Show, Width, Start, Finish}, Cover::None},
        {"its first screen prepared",
         {Show, Width, Prepare, FirstScreen},
         Cover::PreparedFirstScreen},
        {"its first screen prepared while hidden, then shown",
         {Prepare, FirstScreen, Show},
         Cover::PreparedFirstScreen},
        {"a first screen after its making failed",
         {Show, Width, Prepare, PrepareFailed, FirstScreen},
         Cover::None},
        {"a newer making after a first screen",
         {Show, Width, Prepare, FirstScreen, Prepare},
         Cover::PreparingLine},
        {"the page asked after its first screen",
         {Show, Width, Prepare, FirstScreen, AskLarge},
         Cover::FirstScreen},
        {"a small page asked after its first screen",
         {Show, Width, Prepare, FirstScreen, AskSmall},
         Cover::FirstScreen},
        {"that small page released, not yet on the screen",
         {Show, Width, Prepare, FirstScreen, AskSmall, Start, Finish},
         Cover::FirstScreen},
        {"that small page laid out",
         {Show, Width, Prepare, FirstScreen, AskSmall, Start, Finish, LaidOut},
         Cover::None},
        {"the next small page",
         {Show, Width, Prepare, FirstScreen, AskSmall, Start, Finish, LaidOut, AskSmall},
         Cover::PreparingLine},
    };
    for (const auto& row : rows) {
        GeneratedViewLoad load;
        Feed(row.events, load);
        EXPECT_EQ(load.Covered(), row.cover) << row.name;
    }
}

}  // namespace
}  // namespace quorvane

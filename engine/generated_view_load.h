#pragma once

#include <cstdint>

namespace quorvane {

// The life of a page in a generated view (Source Code, Images), named for what the user
// sees. A page the view is sent to is drawn only once it has been read whole and the view
// is shown with its width: WebKit lays a block of tens of thousands of lines out piece by
// piece when a layout falls between two chunks being read, each piece costing in
// proportion to all the lines before it, and a hidden view has no width of its own, so a
// layout then would be redone anyway. A new page never waits behind an old one: when the
// engine has not begun it because it is still busy with a large page before it, the view
// gets a fresh engine process. Until a page is on the screen, a view that is shown covers it
// (Covered): a large page, or one whose first screen was shown while it was made, with its
// first screen, the same page cut short, which the engine draws at once; any other with a
// line saying that it is being prepared. The element feeds the events; the answers say what
// to do.
class GeneratedViewLoad {
  public:
    enum class State {
        Shown,           // the page is drawn (or the view has none of ours yet)
        WaitingToStart,  // a page was asked for and the engine has not begun it
        Reading,         // the engine reads the page; nothing of it is drawn
        ReadAndHeld,     // read whole, drawn once the view is shown and has its width
    };

    // What the element does after an event, in this order.
    struct Actions {
        bool holdDrawing = false;
        bool startWatch = false;  // a short watch over the start of the load asked for
        // End the engine process and load the page asked for again, in a fresh one.
        bool endEngineProcess = false;
        bool releaseDrawing = false;
        bool runHeldFind = false;
        // Tell LaidOut once the engine has laid the page out after the release and the view
        // shows it.
        bool watchLayout = false;
        bool operator==(const Actions&) const = default;
    };

    // A page this large keeps the engine busy reading or laying it out for long enough
    // that the next page would visibly wait behind it; one smaller is done soon, however
    // slow the machine.
    static constexpr std::uintmax_t kLargePageBytes = 1'000'000;
    // A page larger than this takes the engine long enough to lay out that the view shows
    // its first screen meanwhile; this much of it is drawn at once.
    static constexpr std::uintmax_t kFirstScreenBytes = 64 * 1024;

    // What covers the view: nothing, a line that says a new page is being prepared, the
    // first screen of the page being prepared as it will most likely begin, or the first
    // screen of the page asked for.
    enum class Cover { None, PreparingLine, PreparedFirstScreen, FirstScreen };

    // The view is sent to a page of pageBytes (0 when not known).
    Actions Asked(std::uintmax_t pageBytes);
    // The engine has begun a load.
    Actions Started();
    // The engine has ended a load, however it ended: read whole, stopped, failed, or
    // pushed aside by a newer page.
    Actions Finished();
    // The view is shown or hidden; it has its width (GTK has given it more than a pixel).
    Actions ShownChanged(bool shown);
    Actions WidthChanged(bool hasWidth);
    // The watch over the start of the load asked for has run out.
    Actions WatchRanOut();
    // The engine has laid out the page released for drawing.
    Actions LaidOut();
    // A new page for the view is being made, or no longer (its making failed); the page
    // asked for next ends it too.
    Actions Preparing(bool preparing);
    // The first screen of the page being prepared is known; it covers the view until the
    // page is asked for or its making ends.
    Actions FirstScreenPrepared();

    // A search of the view: true when it must wait until the page is drawn (or while a new
    // page is being made), where the release then asks to run it. EndFind drops one that
    // waits.
    bool HoldFind();
    void EndFind();

    State Current() const { return state_; }
    bool DrawingHeld() const { return state_ != State::Shown; }
    Cover Covered() const;

  private:
    Actions ReleaseWhenReady();

    State state_ = State::Shown;
    bool shown_ = false;
    bool hasWidth_ = false;
    bool findHeld_ = false;
    // The size of the page the view reads or last drew, and whether the engine may still be
    // busy with it (reading it, or laying it out since it was drawn).
    std::uintmax_t pageBytes_ = 0;
    bool busyWithOldPage_ = false;
    bool oldPageMayBeLaidOut_ = false;
    bool preparing_ = false;
    bool firstScreenPrepared_ = false;
    // The page asked for had its first screen prepared: however small, it is covered by
    // its first screen, never by the line between the prepared one and the page.
    bool askedAfterFirstScreen_ = false;
    bool layingOut_ = false;  // a page released for drawing, not yet laid out and shown
};

}  // namespace quorvane

#include "engine/generated_view_load.h"

namespace quorvane {

// The page that is pushed aside keeps the engine busy when it is large and the engine is
// still reading it, or has drawn it and may still be laying it out. A page read but never
// drawn costs nothing: held back, it was not laid out.
GeneratedViewLoad::Actions GeneratedViewLoad::Asked(std::uintmax_t pageBytes) {
    Actions actions;
    const bool large = pageBytes_ >= kLargePageBytes;
    if (state_ == State::Reading) {
        busyWithOldPage_ = large;
    } else if (state_ == State::Shown) {
        busyWithOldPage_ = large && oldPageMayBeLaidOut_;
        actions.holdDrawing = true;
    } else if (state_ == State::ReadAndHeld) {
        busyWithOldPage_ = false;
    }
    // Waiting to start, the engine is busy with what it was busy with before.
    state_ = State::WaitingToStart;
    pageBytes_ = pageBytes;
    askedAfterFirstScreen_ = firstScreenPrepared_;
    preparing_ = false;
    firstScreenPrepared_ = false;
    layingOut_ = false;
    actions.startWatch = true;
    return actions;
}

// A load begun while nothing of ours waits is one the user started from the page (a link
// followed, Back): it is drawn as it comes, as in any browser.
GeneratedViewLoad::Actions GeneratedViewLoad::Started() {
    if (state_ == State::WaitingToStart) {
        state_ = State::Reading;
        busyWithOldPage_ = false;
    }
    return {};
}

// The end of a load pushed aside by a newer one leaves the view waiting for that one.
GeneratedViewLoad::Actions GeneratedViewLoad::Finished() {
    if (state_ != State::Reading) {
        return {};
    }
    state_ = State::ReadAndHeld;
    return ReleaseWhenReady();
}

GeneratedViewLoad::Actions GeneratedViewLoad::ShownChanged(bool shown) {
    shown_ = shown;
    return ReleaseWhenReady();
}

GeneratedViewLoad::Actions GeneratedViewLoad::WidthChanged(bool hasWidth) {
    hasWidth_ = hasWidth;
    return ReleaseWhenReady();
}

// A watch that runs out after the load began, or while the engine only had small pages
// before, says nothing of a stuck view: the machine is slow, and the load will begin.
GeneratedViewLoad::Actions GeneratedViewLoad::WatchRanOut() {
    Actions actions;
    if (state_ == State::WaitingToStart && busyWithOldPage_) {
        actions.endEngineProcess = true;
        busyWithOldPage_ = false;
        oldPageMayBeLaidOut_ = false;
    }
    return actions;
}

// The engine has answered for the page it shows, laid out: it is busy with it no more, and a
// next page that starts late then does so because the machine is slow, not because the
// engine is stuck.
GeneratedViewLoad::Actions GeneratedViewLoad::LaidOut() {
    layingOut_ = false;
    if (state_ == State::Shown) {
        oldPageMayBeLaidOut_ = false;
    }
    return {};
}

// A search asked for while the new page is made waits for it; when its making failed, the
// search runs on the page the view still shows.
GeneratedViewLoad::Actions GeneratedViewLoad::Preparing(bool preparing) {
    preparing_ = preparing;
    firstScreenPrepared_ = false;
    Actions actions;
    if (!preparing && findHeld_ && !DrawingHeld()) {
        actions.runHeldFind = true;
        findHeld_ = false;
    }
    return actions;
}

GeneratedViewLoad::Actions GeneratedViewLoad::FirstScreenPrepared() {
    firstScreenPrepared_ = preparing_;
    return {};
}

// A hidden view covers nothing: it is covered again when shown, with what is due then.
GeneratedViewLoad::Cover GeneratedViewLoad::Covered() const {
    if (!shown_) {
        return Cover::None;
    }
    if (preparing_) {
        return firstScreenPrepared_ ? Cover::PreparedFirstScreen : Cover::PreparingLine;
    }
    // A page not yet on the screen is no reason to show the page before, nor an empty one.
    if (state_ == State::Shown && !layingOut_) {
        return Cover::None;
    }
    return pageBytes_ > kFirstScreenBytes || askedAfterFirstScreen_ ? Cover::FirstScreen
                                                                    : Cover::PreparingLine;
}

bool GeneratedViewLoad::HoldFind() {
    findHeld_ = DrawingHeld() || preparing_;
    return findHeld_;
}

void GeneratedViewLoad::EndFind() {
    findHeld_ = false;
}

GeneratedViewLoad::Actions GeneratedViewLoad::ReleaseWhenReady() {
    Actions actions;
    if (state_ == State::ReadAndHeld && shown_ && hasWidth_) {
        state_ = State::Shown;
        oldPageMayBeLaidOut_ = true;
        actions.releaseDrawing = true;
        actions.runHeldFind = findHeld_;
        findHeld_ = false;
        layingOut_ = true;
        actions.watchLayout = true;
    }
    return actions;
}

}  // namespace quorvane

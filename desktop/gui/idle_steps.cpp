#include "desktop/gui/idle_steps.h"

#include <glib.h>

#include <utility>

namespace quorvane {

IdleSteps::~IdleSteps() {
    if (source_ != 0) {
        g_source_remove(source_);
    }
}

void IdleSteps::Post(std::function<void()> step) {
    steps_.push_back(std::move(step));
    if (source_ == 0) {
        source_ = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &IdleSteps::OnIdle, this, nullptr);
    }
}

int IdleSteps::OnIdle(void* self) {
    return static_cast<IdleSteps*>(self)->RunWaitingSteps() ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

// Runs the steps that waited as this turn began; whether more wait for the next turn.
bool IdleSteps::RunWaitingSteps() {
    for (std::size_t waiting = steps_.size(); waiting > 0; --waiting) {
        std::function<void()> step = std::move(steps_.front());
        steps_.pop_front();
        step();
    }
    if (steps_.empty()) {
        source_ = 0;
        return false;
    }
    return true;
}

}  // namespace quorvane

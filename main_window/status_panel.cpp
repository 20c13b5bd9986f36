#include "main_window/status_panel.h"

#include <utility>

namespace quorvane {

namespace {

constexpr char kEngineDone[] = "Done";

}  // namespace

StatusPanel::StatusPanel(Show show) : show_(std::move(show)) {}

void StatusPanel::EngineText(int index, const std::string& text) {
    if (lasting_) {
        if (index != 0 || text.empty() || text == kEngineDone) {
            return;
        }
        lasting_ = false;
    }
    show_(text);
}

void StatusPanel::Message(const std::string& text) {
    lasting_ = true;
    show_(text);
}

void StatusPanel::UserAction() {
    lasting_ = false;
}

}  // namespace quorvane

#include "main_window/status_panel.h"

#include <utility>

namespace quorvane {

namespace {

constexpr char kEngineDone[] = "Done";

}  // namespace

StatusPanel::StatusPanel(Show show) : show_(std::move(show)) {}

void StatusPanel::EngineText(int index, const std::string& text) {
    engineText_ = text;
    if (lasting_) {
        if (index != 0 || text.empty() || text == kEngineDone) {
            return;
        }
        lasting_ = false;
    }
    ShowText(text);
}

void StatusPanel::Message(const std::string& text) {
    lasting_ = true;
    ShowText(text);
}

void StatusPanel::Note(const std::string& text) {
    Message(text);
    note_ = text;
}

void StatusPanel::EndNote() {
    if (note_ && shown_ == *note_) {
        lasting_ = false;
        ShowText(engineText_);
    }
    note_.reset();
}

void StatusPanel::ShowText(const std::string& text) {
    shown_ = text;
    show_(text);
}

void StatusPanel::UserAction() {
    lasting_ = false;
}

}  // namespace quorvane

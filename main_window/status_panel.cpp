#include "main_window/status_panel.h"

#include <utility>

#include "desktop/translation.h"

namespace quorvane {

namespace {

constexpr const char* kEngineDone = Translatable("Done");

}  // namespace

StatusPanel::StatusPanel(Show showEngineText, Show showMessage)
    : showEngineText_(std::move(showEngineText)), showMessage_(std::move(showMessage)) {}

void StatusPanel::EngineText(int index, const std::string& text) {
    engineText_ = text;
    if (lasting_) {
        if (index != 0 || text.empty() || text == Translated(kEngineDone)) {
            return;
        }
        lasting_ = false;
    }
    shown_ = text;
    showEngineText_(text);
}

void StatusPanel::Message(const std::string& text) {
    lasting_ = true;
    shown_ = text;
    showMessage_(text);
}

void StatusPanel::Note(const std::string& text) {
    Message(text);
    note_ = text;
}

void StatusPanel::EndNote() {
    if (note_ && shown_ == *note_) {
        lasting_ = false;
        shown_ = engineText_;
        showEngineText_(engineText_);
    }
    note_.reset();
}

void StatusPanel::UserAction() {
    lasting_ = false;
}

}  // namespace quorvane

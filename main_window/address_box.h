#pragma once

#include <string>

#include "main_window/main_window_surface.h"

namespace quorvane {

// The address box, which the user and the program share. The program writes the Browser
// view's address into it at every title change; while the user is typing in it, that would
// throw away what they typed, so then the box keeps their text and only notes the address.
// It follows the page again once the user is done with it: after Enter, after Escape
// (which puts the page's address back), or when the keyboard moves on to another control.
class AddressBox {
  public:
    enum class State {
        ShowsAddress,  // the text is the program's own: the page's address, or a command's
        BeingTyped,    // the user has changed the text since the program last wrote it
    };

    explicit AddressBox(MainWindowSurface& surface) : surface_(surface) {}
    AddressBox(const AddressBox&) = delete;
    AddressBox& operator=(const AddressBox&) = delete;

    State Current() const { return state_; }
    std::string Text() const { return surface_.AddressText(); }

    // A command of the user's puts text in the box (Up Dir, Send to IE): shown at once.
    void Show(const std::string& text);
    // The page's address, or what stands for it, after a title change: shown unless the
    // user is typing.
    void Follow(const std::string& address);
    // The user changed the text to text (the program's own writes are not told).
    void Typed(const std::string& text);
    // The text was sent to the Browser view.
    void Sent() { state_ = State::ShowsAddress; }
    // Escape in the box: while the user is typing, the page's address comes back and the
    // key is used up (true); otherwise the key means what it means elsewhere (false).
    bool Escaped();
    // The keyboard went to another control of the window. Leaving the program for another
    // one keeps the text: the user comes back to it.
    void KeyboardLeft() { state_ = State::ShowsAddress; }

  private:
    MainWindowSurface& surface_;
    State state_ = State::ShowsAddress;
    std::string written_;  // what the program wrote last
    std::string address_;  // the page's address as of its latest title change
};

}  // namespace quorvane

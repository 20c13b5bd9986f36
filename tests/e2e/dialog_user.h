#pragma once

#include <string>
#include <utility>

namespace quorvane::test {

// A user at a modal dialog of this process, on a thread of the test's own while the dialog
// runs the window's events on the window thread: the user types into it with xdotool, and
// looks at what it shows by asking the window thread, as a person looks before going on.
class DialogUser {
  public:
    // title: the dialog's caption, whole.
    explicit DialogUser(std::string title) : title_(std::move(title)) {}

    // Waits until the dialog is on the screen and has the keyboard.
    bool WaitUntilShown() const;
    // Runs an xdotool command on the keyboard, as "type /" or "key Return".
    bool Do(const std::string& xdotoolCommand) const;
    // Waits until the dialog's text box that has the keyboard holds text, whole.
    bool WaitForText(const std::string& text) const;
    // Types an absolute path into a file dialog: its first "/" opens the location box,
    // which comes a moment later and would lose keys typed before it. Returns once the box
    // holds the whole path.
    bool TypePath(const std::string& path) const;
    // Waits until the dialog has gone; Escape ends one that stays, so that the test ends.
    bool WaitUntilGone() const;

  private:
    std::string title_;
};

}  // namespace quorvane::test

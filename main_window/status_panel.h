#pragma once

#include <functional>
#include <string>

namespace quorvane {

// What status panel 1 says. The views' engines say something at every step of every load
// ("Done" above all, the generated views' too), while the program's own messages (a
// download saved, images saved, a page that could not be opened) are what the user must
// read. Such a message lasts until the user's next command or the Browser view's next
// load says something of its own; the engines' "Done" and the generated views' texts do
// not replace it.
class StatusPanel {
  public:
    using Show = std::function<void(const std::string& text)>;
    explicit StatusPanel(Show show);

    // A text of the engine of view index (0 the Browser view).
    void EngineText(int index, const std::string& text);
    // The program's own message, which lasts.
    void Message(const std::string& text);
    // A command of the user: the message shown no longer holds against the engines.
    void UserAction();
    // What panel 1 says now.
    const std::string& Shown() const { return shown_; }

  private:
    void ShowText(const std::string& text);

    Show show_;
    std::string shown_;
    bool lasting_ = false;
};

}  // namespace quorvane

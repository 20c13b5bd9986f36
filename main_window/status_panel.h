#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// What status panel 1 says. The views' engines say something at every step of every load
// ("Done" above all, the generated views' too), while the program's own messages (a
// download saved, images saved, a page that could not be opened) are what the user must
// read. Such a message lasts until the user's next command or the Browser view's next
// load says something of its own; the engines' "Done" and the generated views' texts do
// not replace it. A message is shown to be said as well, an engine's text only to be seen.
class StatusPanel {
  public:
    using Show = std::function<void(const std::string& text)>;
    StatusPanel(Show showEngineText, Show showMessage);

    // A text of the engine of view index (0 the Browser view).
    void EngineText(int index, const std::string& text);
    // The program's own message, which lasts.
    void Message(const std::string& text);
    // A message on what the window shows while the Browser view's load goes on: it lasts as
    // a message does, and EndNote, at the load's end, gives panel 1 back to what the engines
    // said meanwhile, when nothing else has taken the note's place.
    void Note(const std::string& text);
    void EndNote();
    // A command of the user: the message shown no longer holds against the engines.
    void UserAction();
    // What panel 1 says now.
    const std::string& Shown() const { return shown_; }

  private:
    Show showEngineText_;
    Show showMessage_;
    std::string shown_;
    bool lasting_ = false;
    std::string engineText_;           // the engines' latest, shown or not
    std::optional<std::string> note_;  // the note given, until it ends
};

}  // namespace quorvane

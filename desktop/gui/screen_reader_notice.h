#pragma once

#include <wx/string.h>

class wxWindow;
typedef struct _AtkObject AtkObject;

namespace quorvane {

// A notice that a screen reader says as it comes, wherever the keyboard is: for the
// program's word on what the user asked for (a file saved, a page that could not be
// opened), which is shown where the user's eyes, not the keyboard, would find it.
//
// The notice is an accessible of the notification role, holding the text as a label, that
// says it is showing. The screen reader speaks such a notice and keeps it with the
// desktop's notifications, and does so from the screen readers of Debian 12 on. The
// "announcement" signal of ATK 2.46 is read only by later ones, and both at once would
// be said twice.
class ScreenReaderNotice {
  public:
    // owner: the window the notices are of (the status bar), their parent to the reader.
    explicit ScreenReaderNotice(wxWindow& owner);
    ~ScreenReaderNotice();
    ScreenReaderNotice(const ScreenReaderNotice&) = delete;
    ScreenReaderNotice& operator=(const ScreenReaderNotice&) = delete;

    void Say(const wxString& text);

  private:
    AtkObject* notice_;
    AtkObject* text_;
};

}  // namespace quorvane

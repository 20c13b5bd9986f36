#pragma once

#include <wx/panel.h>
#include <wx/timer.h>

#include <functional>
#include <string>

#include "inspection/source_find.h"

class wxCheckBox;
class wxSizer;
class wxStaticText;
class wxTextCtrl;

namespace quorvane {

// The find bar under the views: the text to find, Previous and Next, "Match case",
// "Regular expression" and "Whole word" (for the views that can search so), where the
// current match is ("3 of 41") and a close button. It is hidden until opened and
// searches once the user pauses in typing; Enter is Next (or the search itself, when the
// pause has not yet come), Shift+Enter Previous, Escape closes it.
class FindBar : public wxPanel {
  public:
    struct Actions {
        std::function<void(const std::string& text, const SourceFindOptions& options)> search;
        // Whether the visible view finds regular expressions and whole words.
        std::function<bool()> expressionsUsable;
        std::function<void()> next;
        std::function<void()> previous;
        std::function<void()> shownOrHidden;  // the views' place changes with the bar's
        std::function<void()> closed;
    };

    FindBar(wxWindow* parent, Actions actions);

    // Shows the bar with the cursor in its text, selected, and searches for it again.
    void Open();
    void Close();
    // Next (or previous) match; with the bar closed or empty it opens instead.
    void FindAgain(bool next);
    void SetStatus(const std::string& status);
    std::string Status() const;

  private:
    // The row of the find text, its status, the buttons and the ticks.
    wxSizer* CreateRow();
    // A change of a tick searches again at once, one of the text after a typing pause.
    void BindSearchInputs();
    void Search();
    // Runs a search the typing pause still holds back; false when none was waiting.
    bool SearchHeldBack();
    void OnKey(wxKeyEvent& event);

    Actions actions_;
    wxTextCtrl* text_;
    wxCheckBox* matchCase_;
    wxCheckBox* regularExpression_;
    wxCheckBox* wholeWord_;
    wxStaticText* status_;
    wxTimer typingPause_;
};

}  // namespace quorvane

#pragma once

class wxStyledTextCtrl;

namespace quorvane {

// Where the characters of a code viewer's text are: a screen reader counts characters,
// the viewer bytes of UTF-8 (a byte that is no character counts as one character, as it
// does in the viewer). Counting from the start of a text of megabytes takes milliseconds,
// and a screen reader asks several times for each move of the caret; so the places are
// counted from the last place asked, near which the next one usually is.
//
// Plain data, so that the accessible that holds it, which GObject makes without running
// a constructor, holds it counted from the start; a text of another length is counted
// from the start again, and Forget does so for a text changed at the same length.
struct CharacterPlaces {
    int OffsetOf(wxStyledTextCtrl& view, int position);
    // The position of the character at offset; the text's end past it.
    int PositionOf(wxStyledTextCtrl& view, int offset);
    // The characters of the whole text, counted once a text.
    int CharacterCount(wxStyledTextCtrl& view);
    void Forget();

  private:
    void FollowLength(wxStyledTextCtrl& view);

    int position_;
    int offset_;  // of the character at position_
    int length_;  // of the text position_ was counted in
    bool counted_;
    int count_;
};

}  // namespace quorvane

#include "desktop/gui/character_places.h"

#include <wx/stc/stc.h>

namespace quorvane {

void CharacterPlaces::FollowLength(wxStyledTextCtrl& view) {
    if (length_ != view.GetLength()) {
        Forget();
        length_ = view.GetLength();
    }
}

void CharacterPlaces::Forget() {
    position_ = 0;
    offset_ = 0;
    length_ = -1;
    counted_ = false;
}

int CharacterPlaces::CharacterCount(wxStyledTextCtrl& view) {
    FollowLength(view);
    if (!counted_) {
        count_ = view.CountCharacters(0, view.GetLength());
        counted_ = true;
    }
    return count_;
}

int CharacterPlaces::OffsetOf(wxStyledTextCtrl& view, int position) {
    FollowLength(view);
    offset_ = position >= position_ ? offset_ + view.CountCharacters(position_, position)
                                    : offset_ - view.CountCharacters(position, position_);
    position_ = position;
    return offset_;
}

int CharacterPlaces::PositionOf(wxStyledTextCtrl& view, int offset) {
    FollowLength(view);
    if (offset <= 0) {
        return 0;
    }
    // The viewer answers 0 for a place past the end.
    const int position = view.PositionRelative(position_, offset - offset_);
    if (position == 0) {
        return view.GetLength();
    }
    position_ = position;
    offset_ = offset;
    return position;
}

}  // namespace quorvane

#pragma once

class wxStyledTextCtrl;

namespace quorvane {

// The size of the source's font, in points.
inline constexpr int kSourceFontPoints = 10;

// Colours the HTML lexer's styles of view (tags, attributes, strings, comments, entities,
// and the script inside), with colours for a dark desktop style when the desktop has one.
// Without colour, every style looks as plain text does.
void ApplySourceColours(wxStyledTextCtrl& view, bool coloured);

}  // namespace quorvane

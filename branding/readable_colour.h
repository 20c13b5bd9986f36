#pragma once

#include "branding/rtf_document.h"

namespace quorvane {

// How far apart two colours stand for the eye: 1 (the same) to 21 (black on white), as
// the web's accessibility guidelines measure it.
double ContrastRatio(const RtfColour& a, const RtfColour& b);

// A document's text colour made readable on the background it is shown on. A help
// document is written for a light page; under a dark desktop theme its dark headings
// would vanish. A colour that stands out enough is kept; one that does not keeps its
// hue and saturation and takes the lightness, on the other side of the background's,
// nearest to its mirrored one that stands out.
RtfColour ReadableOn(const RtfColour& text, const RtfColour& background);

}  // namespace quorvane

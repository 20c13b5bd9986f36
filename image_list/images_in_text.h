#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image_list/image_finding.h"

namespace quorvane {

// The images a page's text names, its tags read as the Original Source view reads them: the
// src of <img> ("img"; an empty one, or one that is the page itself, names none), every
// srcset candidate of <img> ("srcset") and of <source> ("picture"), each with its
// descriptor and a group per tag, every data-* attribute whose value is an image address or
// a srcset ("lazy"), and the links of <a> and <area> to an image file ("link"). What the
// analyser can know without an engine: nothing the page's scripts or style sheets add.
// Values are read with their character references decoded and resolved against the page's
// first <base href>, itself read against pageAddress; at most maxFindings.
std::vector<ImageFinding> ImagesNamedInText(std::string_view text, const std::string& pageAddress,
                                            std::size_t maxFindings);

}  // namespace quorvane

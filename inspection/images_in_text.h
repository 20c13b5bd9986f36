#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inspection/image_finding.h"

namespace quorvane {

// The images a page's text names besides its <img src> and its links: every srcset
// candidate of <img> ("srcset") and of <source> ("picture"), each with its descriptor and
// a group per tag, and every data-* attribute whose value is an image address or a srcset
// ("lazy"). What the analyser can know without an engine: nothing the page's scripts or
// style sheets add. Addresses are resolved against pageAddress; at most maxFindings.
std::vector<ImageFinding> ImagesNamedInText(std::string_view text, const std::string& pageAddress,
                                            std::size_t maxFindings);

}  // namespace quorvane

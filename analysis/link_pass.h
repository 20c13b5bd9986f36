#pragma once

#include <string_view>

namespace quorvane {

// One linking pass of the source view: every occurrence of name becomes the anchor
// <a href='address'>name</a>. Both views point into the analysis lists, so that no
// address is copied for a pass that never runs.
struct LinkPass {
    std::string_view name;
    std::string_view address;
};

}  // namespace quorvane

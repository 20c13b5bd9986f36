#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inspection/marked_lines.h"
#include "inspection/served_source_pane.h"

namespace quorvane {

// The "Original Source" view as the comparison of the served and the live text sees it:
// besides a source, it shows a text of its own making, as it is, with lines marked.
class ChangesPane : public ServedSourcePane {
  public:
    // Shows text as given, whether the view reformats sources or not, each of marks in
    // its margin and coloured.
    virtual void ShowMarkedText(std::string text, std::string pageAddress,
                                std::vector<MarkedLine> marks) = 0;
    // The line of the text given (from 0) that holds the caret, and a line to show there.
    virtual std::uint32_t CaretTextLine() const = 0;
    virtual void GoToTextLine(std::uint32_t line) = 0;
};

}  // namespace quorvane

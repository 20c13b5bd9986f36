#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "inspection/pattern_search.h"

namespace quorvane {

// The text filter of a list of addresses (the Image List's, the Resources tab's): plain
// text with letters folded, or a regular expression (PCRE's through GLib, letters folded).
// One filtering of a list is one search, with one budget of work (PatternSearch); a bad
// expression lets nothing through and says why, and so does one that spends the budget.
// Only the first kMaxMatchedBytes of an address are searched, so a data: address of
// megabytes costs no more than a long address of the web.
class RowTextMatch {
  public:
    static constexpr std::size_t kMaxMatchedBytes = 4096;

    RowTextMatch(const std::string& text, bool regularExpression);
    ~RowTextMatch();
    RowTextMatch(const RowTextMatch&) = delete;
    RowTextMatch& operator=(const RowTextMatch&) = delete;

    bool Matches(std::string_view address);
    // "Bad expression: " and why, or that the expression is too costly; "" otherwise.
    std::string Error() const;
    bool TooCostly() const;

  private:
    std::string text_;
    std::unique_ptr<PatternSearch> expression_;
};

// "1 204": thousands apart by a space, as a list's count is read at a glance.
std::string GroupedNumber(std::size_t number);

}  // namespace quorvane

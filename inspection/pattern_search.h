#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "desktop/translation.h"

namespace quorvane {

// One search of a page for a regular expression the user typed (PCRE's, as GLib knows
// it): compiled once, matched as often as the search needs, and all of it within one
// budget of work. PCRE's own limit counts one attempt at one position only, so a pattern
// such as (a+)+$ could spend minutes over the positions and lines of a small page; here
// every step of every attempt of every match counts against the one budget, and past it
// the search stops and says so. The budget grows with the text searched, since ordinary
// patterns take a step or two a byte: a small page's hostile search ends at once, and a
// large page's ordinary one is never cut.
class PatternSearch {
  public:
    // A few tens of milliseconds of PCRE's compiled matcher, whatever the text.
    static constexpr std::uint64_t kBudgetSteps = 10'000'000;
    // And for each byte of text searched.
    static constexpr std::uint64_t kStepsPerByte = 8;
    static constexpr const char* kTooCostly =
        Translatable("The expression is too costly for this page");

    struct Options {
        bool caseless = false;
        bool multiline = false;  // ^ and $ also at the lines' edges
        bool bytes = false;      // text is bytes (GLib's raw), else UTF-8
    };

    enum class State {
        Searching,      // matches are found as asked
        BadExpression,  // the pattern cannot be used: nothing matches
        TooCostly,      // the budget is spent: nothing more matches
    };

    PatternSearch(const std::string& pattern, Options options,
                  std::uint64_t budgetSteps = kBudgetSteps);
    ~PatternSearch();
    PatternSearch(const PatternSearch&) = delete;
    PatternSearch& operator=(const PatternSearch&) = delete;

    State Now() const { return state_; }
    // What the entry says beside it: "Bad expression: " and why, kTooCostly, or "".
    std::string Problem() const;

    // Calls found(begin, end) for each match in text, in order, until found returns false,
    // the text ends or the budget, grown by kStepsPerByte for each byte of text, is spent
    // (then Now() is TooCostly); a spent budget stays spent. After an empty match the search
    // goes on one UTF-8 character further, as GLib's does. In UTF-8 mode a text that is not
    // UTF-8 has no match.
    void EachMatch(std::string_view text,
                   const std::function<bool(std::size_t begin, std::size_t end)>& found);

  private:
    // The next match at or after from, as [begin, end); nullopt when there is none, or
    // when the search has ended (its state says why). checks are PCRE's options.
    std::optional<std::pair<std::size_t, std::size_t>> NextMatch(std::string_view text,
                                                                 std::size_t from,
                                                                 std::uint32_t checks);
    struct Compiled;

    void Refuse(std::string why);
    void Compile(const std::string& pattern, const Options& options);

    State state_ = State::Searching;
    std::string badExpression_;  // GLib's words for what is wrong with the pattern
    std::unique_ptr<Compiled> compiled_;
    std::uint64_t stepsLeft_;
};

}  // namespace quorvane

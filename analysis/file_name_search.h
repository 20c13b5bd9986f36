#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "analysis/multi_pattern_search.h"

namespace quorvane {

// Finds every occurrence of many names in a text, overlapping ones included, as
// MultiPatternSearch does, but cheaper for the names of a page's pictures: thousands of
// them, nearly all different, that end in a few extensions. Each name is looked for only
// where its last bytes occur, and recognised there by a hash of the bytes that end
// there, eight at a time. Building that costs a hash per name instead of a node per byte.
//
// A text where names of many lengths share their endings could make that cost many
// hashes at nearly every position; the hashes are counted, and a text that would take
// more than a few steps per byte is searched with the automaton instead, built when first needed.
// So is every text when the names' hashes crowd together.
class FileNameSearch {
  public:
    // names must be distinct and none may be empty.
    explicit FileNameSearch(std::vector<std::string_view> names);

    // A set of bytes, one bit each.
    struct ByteSet {
        std::uint64_t bits[4] = {};
        void Add(char byte) {
            const auto b = static_cast<unsigned char>(byte);
            bits[b / 64] |= std::uint64_t{1} << (b % 64);
        }
        bool Holds(char byte) const {
            const auto b = static_cast<unsigned char>(byte);
            return (bits[b / 64] >> (b % 64) & 1) != 0;
        }
    };

    // Calls found(name index, start position) for every occurrence, unless there are
    // more than most: then for none, and returns false. Names that are runs of one byte
    // find a number of matches in a run of it that grows with its length squared; no
    // more than most are ever held.
    template <typename Found>
    bool ForEachMatch(std::string_view text, std::size_t most, Found&& found) {
        matches_.clear();
        Outcome outcome = FindByEndings(text, most);
        if (outcome == Outcome::kOverBudget) {
            matches_.clear();
            const bool all =
                Automaton().ForEachMatch(text, [&](std::size_t name, std::size_t start) {
                    matches_.push_back({name, start});
                    return matches_.size() <= most;
                });
            outcome = all ? Outcome::kFound : Outcome::kTooMany;
        }
        if (outcome == Outcome::kTooMany) {
            matches_.clear();
            return false;
        }
        for (const Match& match : matches_) {
            found(match.name, match.start);
        }
        return true;
    }

  private:
    enum class Outcome { kFound, kOverBudget, kTooMany };
    struct Match {
        std::size_t name;
        std::size_t start;
    };
    // One slot of the table of names, open addressing: the low half of the hash of a name
    // and which name it is, or -1 for an empty slot. Half a hash rules out nearly every
    // other name as well, and keeps the table of a page of thousands of names small.
    struct Slot {
        std::uint32_t hashLow = 0;
        std::int32_t name = -1;
    };

    void GroupByEnding();
    bool FillTable();
    // Every occurrence into matches_, unless the hashes would cost too much or there are
    // more than most.
    Outcome FindByEndings(std::string_view text, std::size_t most);
    // The names of one ending that end at end, within budget (which it spends).
    bool MatchAt(std::string_view text, std::size_t end, std::size_t ending, std::size_t& budget);
    std::size_t FirstSlot(std::uint64_t hash) const;
    std::size_t FilterBit(std::uint64_t hash) const;
    // Whether a name may have this hash: false for nearly every one that none has.
    bool MayHold(std::uint64_t hash) const;
    std::int32_t Lookup(std::uint64_t hash, std::string_view text, std::size_t& budget) const;
    MultiPatternSearch& Automaton();

    std::vector<std::string_view> names_;
    std::size_t endingSize_ = 0;  // the shortest name's length, at most four bytes
    std::vector<std::string_view> endings_;
    std::optional<MultiPatternSearch> endingSearch_;
    // Per ending, the lengths of its names, ascending: lengths_[firstLength_[e]] on up to
    // lengths_[firstLength_[e + 1]].
    std::vector<std::size_t> lengths_;
    std::vector<std::size_t> firstLength_;
    std::vector<ByteSet> firstBytes_;       // per entry of lengths_: what its names begin with
    std::vector<std::size_t> endingSteps_;  // per ending, what hashing all its lengths costs
    std::vector<Slot> slots_;
    unsigned slotShift_ = 64;  // takes a hash's bits that pick its first slot
    std::size_t farthest_ = 0;
    std::vector<std::uint64_t> filter_;
    std::optional<MultiPatternSearch> automaton_;
    std::vector<Match> matches_;
};

}  // namespace quorvane

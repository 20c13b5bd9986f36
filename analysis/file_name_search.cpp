#include "analysis/file_name_search.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>

namespace quorvane {

namespace {

// What the hashes at the endings may cost: a few steps per byte of the text, and
// enough for a short text (one anchor) to hold a few names of any usual length.
constexpr std::size_t kStepsPerByte = 4;
constexpr std::size_t kStepsPerText = 256;

// How far past the slot its hash picks a name may lie in the table.
constexpr std::size_t kFarthestSlot = 32;

constexpr std::uint64_t kMultiplier = 0x9FB21C651E98DF25;  // odd, and spreads every bit up

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
    return (std::rotl(hash, 23) ^ word) * kMultiplier;
}

std::uint64_t WordAt(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The hash of the length bytes before end, read eight at a time from the end: a name is
// recognised at each length with a few loads instead of a step per byte. The first word
// of a name whose length is no multiple of eight overlaps the one after it; which bytes
// each word holds depends on the length alone, which the hash also takes, so two names
// of one length with the same words are the same name.
std::uint64_t NameHash(const char* end, std::size_t length) {
    std::uint64_t hash = length;
    if (length < 8) {
        std::uint64_t word = 0;
        for (std::size_t k = length; k > 0; --k) {
            word = word << 8 | static_cast<unsigned char>(end[-static_cast<std::ptrdiff_t>(k)]);
        }
        return Mix(hash, word);
    }
    const char* const start = end - length;
    for (; end - start > 8; end -= 8) {
        hash = Mix(hash, WordAt(end - 8));
    }
    return Mix(hash, WordAt(start));
}

// What hashing a name of this length costs, in the steps the budget counts.
std::size_t HashSteps(std::size_t length) {
    return 1 + length / 8;
}

// The high bits of the hash times a large odd number: the low bits of a hash that only
// multiplies and adds depend on few bits of the bytes.
constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15;
constexpr std::uint64_t kSpreadForFilter = 0xC2B2AE3D27D4EB4F;

// Takes cost from budget, or says that the budget does not cover it.
bool Spend(std::size_t& budget, std::size_t cost) {
    if (cost > budget) {
        budget = 0;
        return false;
    }
    budget -= cost;
    return true;
}

// The ending of a name as a number that compares as the endings do, all being of one
// size, beside the name's length (which the lists' bound keeps far below 4 GB), a name
// that has them, and the bytes the names that have them begin with.
struct EndingAndLength {
    std::uint64_t key;
    std::size_t name;
    FileNameSearch::ByteSet firstBytes;
};

// Each ending and length once, sorted: each ending (in sorted order, as the search over
// them wants) with the lengths of its names. Thousands of names share a few of them, so
// they are told apart in a table first and only the few distinct ones are sorted.
std::vector<EndingAndLength> DistinctEndings(std::span<const std::string_view> names,
                                             std::size_t endingSize) {
    std::vector<EndingAndLength> distinct;
    std::vector<std::int32_t> slots(std::bit_ceil(2 * names.size() + 2), -1);
    const std::size_t mask = slots.size() - 1;
    const auto shift = static_cast<unsigned>(64 - std::countr_zero(slots.size()));
    for (std::size_t name = 0; name < names.size(); ++name) {
        std::uint64_t ending = 0;
        for (const char byte : names[name].substr(names[name].size() - endingSize)) {
            ending = ending << 8 | static_cast<unsigned char>(byte);
        }
        const std::uint64_t key =
            ending << 32 | std::min<std::size_t>(names[name].size(), UINT32_MAX);
        std::size_t slot = static_cast<std::size_t>((key * kSpread) >> shift);
        while (slots[slot] >= 0 && distinct[slots[slot]].key != key) {
            slot = (slot + 1) & mask;
        }
        if (slots[slot] < 0) {
            slots[slot] = static_cast<std::int32_t>(distinct.size());
            distinct.push_back({key, name, {}});
        }
        distinct[slots[slot]].firstBytes.Add(names[name][0]);
    }
    std::sort(distinct.begin(), distinct.end(),
              [](const EndingAndLength& a, const EndingAndLength& b) { return a.key < b.key; });
    return distinct;
}

}  // namespace

FileNameSearch::FileNameSearch(std::vector<std::string_view> names) : names_(std::move(names)) {
    if (names_.empty()) {
        return;
    }
    endingSize_ = 4;
    for (const std::string_view name : names_) {
        endingSize_ = std::min(endingSize_, name.size());
    }
    if (FillTable()) {
        GroupByEnding();
        endingSearch_.emplace(endings_);
    }
}

void FileNameSearch::GroupByEnding() {
    const std::vector<EndingAndLength> distinct = DistinctEndings(names_, endingSize_);
    for (std::size_t k = 0; k < distinct.size(); ++k) {
        const std::string_view name = names_[distinct[k].name];
        if (k == 0 || distinct[k].key >> 32 != distinct[k - 1].key >> 32) {
            endings_.push_back(name.substr(name.size() - endingSize_));
            firstLength_.push_back(lengths_.size());
            endingSteps_.push_back(0);
        }
        lengths_.push_back(name.size());
        firstBytes_.push_back(distinct[k].firstBytes);
        endingSteps_.back() += HashSteps(name.size());
    }
    firstLength_.push_back(lengths_.size());
}

// At most half the slots are used, so that a look-up soon meets an empty one, and a name
// lies at most farthest_ slots past the one its hash picks: no look-up goes further. A
// page whose names crowd the table more than that (hashes made to collide) is searched
// with the automaton. The filter holds a bit per name among sixteen per name, so that
// most lengths where no name ends are ruled out without reading the table.
bool FileNameSearch::FillTable() {
    slots_.resize(std::bit_ceil(2 * names_.size() + 8));
    slotShift_ = 64 - static_cast<unsigned>(std::countr_zero(slots_.size()));
    filter_.resize(slots_.size() / 8);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t name = 0; name < names_.size(); ++name) {
        const std::uint64_t hash =
            NameHash(names_[name].data() + names_[name].size(), names_[name].size());
        const std::size_t first = FirstSlot(hash);
        std::size_t slot = first;
        while (slots_[slot].name >= 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = {static_cast<std::uint32_t>(hash), static_cast<std::int32_t>(name)};
        farthest_ = std::max(farthest_, (slot - first) & mask);
        filter_[FilterBit(hash) / 64] |= std::uint64_t{1} << (FilterBit(hash) % 64);
    }
    return farthest_ <= kFarthestSlot;
}

std::size_t FileNameSearch::FirstSlot(std::uint64_t hash) const {
    return static_cast<std::size_t>((hash * kSpread) >> slotShift_);
}

// The high bits of the hash spread another way than for the slot, eight times as many.
std::size_t FileNameSearch::FilterBit(std::uint64_t hash) const {
    return static_cast<std::size_t>((hash * kSpreadForFilter) >> (slotShift_ - 3));
}

bool FileNameSearch::MayHold(std::uint64_t hash) const {
    const std::size_t bit = FilterBit(hash);
    return (filter_[bit / 64] >> (bit % 64) & 1) != 0;
}

std::int32_t FileNameSearch::Lookup(std::uint64_t hash, std::string_view text,
                                    std::size_t& budget) const {
    const std::size_t mask = slots_.size() - 1;
    const std::size_t first = FirstSlot(hash);
    for (std::size_t k = 0; k <= farthest_; ++k) {
        const Slot& slot = slots_[(first + k) & mask];
        if (slot.name < 0) {
            break;
        }
        if (slot.hashLow == static_cast<std::uint32_t>(hash) && Spend(budget, text.size()) &&
            names_[slot.name] == text) {
            return slot.name;
        }
    }
    return -1;
}

// Each length a name of this ending has is looked up in turn, but for those where the
// byte a name would begin with begins none: the names of a page often all begin alike.
bool FileNameSearch::MatchAt(std::string_view text, std::size_t end, std::size_t ending,
                             std::size_t& budget) {
    if (!Spend(budget, endingSteps_[ending])) {
        return false;
    }
    const std::size_t found = matches_.size();
    for (std::size_t k = firstLength_[ending]; k < firstLength_[ending + 1]; ++k) {
        const std::size_t length = lengths_[k];
        if (length > end) {
            break;
        }
        if (!firstBytes_[k].Holds(text[end - length])) {
            continue;
        }
        const std::uint64_t hash = NameHash(text.data() + end, length);
        if (!MayHold(hash)) {
            continue;
        }
        const std::int32_t name = Lookup(hash, text.substr(end - length, length), budget);
        if (name >= 0) {
            matches_.push_back({static_cast<std::size_t>(name), end - length});
        }
    }
    // Longest first, as the automaton gives them: then the matches of a page lie in the
    // order of their starts, which the linker need not sort.
    std::reverse(matches_.begin() + static_cast<std::ptrdiff_t>(found), matches_.end());
    return budget > 0;
}

FileNameSearch::Outcome FileNameSearch::FindByEndings(std::string_view text, std::size_t most) {
    if (names_.empty()) {
        return Outcome::kFound;
    }
    if (!endingSearch_) {
        return Outcome::kOverBudget;
    }
    std::size_t budget = kStepsPerByte * text.size() + kStepsPerText;
    Outcome outcome = Outcome::kFound;
    endingSearch_->ForEachMatch(text, [&](std::size_t ending, std::size_t start) {
        if (!MatchAt(text, start + endingSize_, ending, budget)) {
            outcome = Outcome::kOverBudget;
        } else if (matches_.size() > most) {
            outcome = Outcome::kTooMany;
        }
        return outcome == Outcome::kFound;
    });
    return outcome;
}

MultiPatternSearch& FileNameSearch::Automaton() {
    if (!automaton_) {
        automaton_.emplace(names_);
    }
    return *automaton_;
}

}  // namespace quorvane

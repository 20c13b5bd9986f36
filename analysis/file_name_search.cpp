#include "analysis/file_name_search.h"

#include <algorithm>
#include <bit>

namespace quorvane {

namespace {

// What the walks back from the endings may cost: a few steps per byte of the text, and
// enough for a short text (one anchor) to hold a few names of any usual length.
constexpr std::size_t kStepsPerByte = 4;
constexpr std::size_t kStepsPerText = 256;

// How far past the slot its hash picks a name may lie in the table.
constexpr std::size_t kFarthestSlot = 32;

constexpr std::uint64_t kMultiplier = 0x100000001B3;  // odd, and spreads every byte

std::uint64_t BackwardStep(std::uint64_t hash, char byte) {
    return hash * kMultiplier + static_cast<unsigned char>(byte) + 1;
}

// The hash of a text read from its last byte to its first.
std::uint64_t BackwardHash(std::string_view text) {
    std::uint64_t hash = 0;
    for (std::size_t k = text.size(); k > 0; --k) {
        hash = BackwardStep(hash, text[k - 1]);
    }
    return hash;
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

// The ending of a name as a number that compares as the endings do, all being of one
// size, beside the name's length (which the lists' bound keeps far below 4 GB): sorting
// them gives each ending (in sorted order, as the search over them wants) with the
// lengths of its names.
void FileNameSearch::GroupByEnding() {
    struct Entry {
        std::uint64_t endingAndLength;
        std::size_t name;
    };
    std::vector<Entry> entries;
    entries.reserve(names_.size());
    for (std::size_t name = 0; name < names_.size(); ++name) {
        std::uint64_t ending = 0;
        for (const char byte : names_[name].substr(names_[name].size() - endingSize_)) {
            ending = ending << 8 | static_cast<unsigned char>(byte);
        }
        entries.push_back(
            {ending << 32 | std::min<std::size_t>(names_[name].size(), UINT32_MAX), name});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.endingAndLength < b.endingAndLength; });
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::uint64_t key = entries[k].endingAndLength;
        if (k > 0 && key == entries[k - 1].endingAndLength) {
            continue;
        }
        if (k == 0 || key >> 32 != entries[k - 1].endingAndLength >> 32) {
            const std::string_view name = names_[entries[k].name];
            endings_.push_back(name.substr(name.size() - endingSize_));
            firstLength_.push_back(lengths_.size());
        }
        lengths_.push_back(names_[entries[k].name].size());
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
        const std::uint64_t hash = BackwardHash(names_[name]);
        const std::size_t first = FirstSlot(hash);
        std::size_t slot = first;
        while (slots_[slot].name >= 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = {hash, static_cast<std::int32_t>(name)};
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
        if (slot.hash == hash && Spend(budget, text.size()) && names_[slot.name] == text) {
            return slot.name;
        }
    }
    return -1;
}

// The hash of the bytes before end grows one byte at a time, and is looked up at each
// length a name of this ending has.
bool FileNameSearch::MatchAt(std::string_view text, std::size_t end, std::size_t ending,
                             std::size_t& budget) {
    std::uint64_t hash = 0;
    std::size_t walked = 0;
    const std::size_t found = matches_.size();
    for (std::size_t k = firstLength_[ending]; k < firstLength_[ending + 1]; ++k) {
        const std::size_t length = lengths_[k];
        if (length > end || !Spend(budget, length - walked)) {
            break;
        }
        for (; walked < length; ++walked) {
            hash = BackwardStep(hash, text[end - 1 - walked]);
        }
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

bool FileNameSearch::FindByEndings(std::string_view text) {
    if (names_.empty()) {
        return true;
    }
    if (!endingSearch_) {
        return false;
    }
    std::size_t budget = kStepsPerByte * text.size() + kStepsPerText;
    bool within = true;
    endingSearch_->ForEachMatch(text, [&](std::size_t ending, std::size_t start) {
        within = within && MatchAt(text, start + endingSize_, ending, budget);
    });
    return within;
}

MultiPatternSearch& FileNameSearch::Automaton() {
    if (!automaton_) {
        automaton_.emplace(names_);
    }
    return *automaton_;
}

}  // namespace quorvane

#include "analysis/recorded_names.h"

#include <bit>
#include <functional>

namespace quorvane {

// At most half the slots are ever used, so a search for a name ends soon at an empty
// slot, and the slot count is a power of two so that a hash picks a slot with a mask.
RecordedNames::RecordedNames(std::size_t most) : slots_(std::bit_ceil(2 * most + 2), nullptr) {}

std::size_t RecordedNames::SlotOf(std::string_view name) const {
    const std::size_t mask = slots_.size() - 1;
    const std::size_t hash = std::hash<std::string_view>{}(name);
    std::size_t slot = hash & mask;
    while (slots_[slot] != nullptr && *slots_[slot] != name) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

}  // namespace quorvane

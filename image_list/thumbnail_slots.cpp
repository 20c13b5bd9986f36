#include "image_list/thumbnail_slots.h"

namespace quorvane {

std::optional<int> ThumbnailSlots::Find(const std::string& address) {
    const auto found = slotOf_.find(address);
    if (found == slotOf_.end()) {
        return std::nullopt;
    }
    uses_.splice(uses_.begin(), uses_, found->second.use);
    return found->second.number;
}

int ThumbnailSlots::Take(const std::string& address) {
    if (const std::optional<int> kept = Find(address)) {
        return *kept;
    }
    int number = static_cast<int>(slotOf_.size());
    if (slotOf_.size() == kSlots) {
        const auto oldest = slotOf_.find(uses_.back());
        number = oldest->second.number;
        slotOf_.erase(oldest);
        uses_.pop_back();
    }
    uses_.push_front(address);
    slotOf_.emplace(address, Slot{number, uses_.begin()});
    return number;
}

void ThumbnailSlots::Clear() {
    uses_.clear();
    slotOf_.clear();
}

}  // namespace quorvane

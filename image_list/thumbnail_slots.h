#pragma once

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>

namespace quorvane {

// Which thumbnails of the Image List are kept, in a fixed number of slots: the table
// draws thumbnails only for the rows on screen, and a page of ten thousand images costs
// no more than kSlots of them. The one used longest ago gives its slot to a new one.
class ThumbnailSlots {
  public:
    static constexpr std::size_t kSlots = 256;

    // The slot of address's thumbnail, which counts as used now; nullopt when none is kept.
    std::optional<int> Find(const std::string& address);
    // A slot for address's new thumbnail: a free one, or the one used longest ago, whose
    // thumbnail is forgotten.
    int Take(const std::string& address);
    void Clear();
    std::size_t Size() const { return slotOf_.size(); }

  private:
    struct Slot {
        int number;
        std::list<std::string>::iterator use;
    };
    std::list<std::string> uses_;  // the latest first
    std::unordered_map<std::string, Slot> slotOf_;
};

}  // namespace quorvane

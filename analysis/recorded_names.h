#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The file names a scanner has recorded so far, for the test that records each name
// once. A page can name thousands of images, so the set is one flat table that points
// at the names where the scanner keeps them: they must neither move nor change while
// the set is in use.
class RecordedNames {
  public:
    // Room for most names.
    explicit RecordedNames(std::size_t most);

    // Where name is, or else the empty slot where it would go: the slot holds until the
    // next Add, so that a name is hashed once whether it is then added or not.
    std::size_t SlotOf(std::string_view name) const;
    bool Holds(std::size_t slot) const { return slots_[slot] != nullptr; }
    // Adds a name the set does not hold yet, at the slot SlotOf gave for it.
    void Add(std::size_t slot, const std::string& name) { slots_[slot] = &name; }

  private:
    std::vector<const std::string*> slots_;  // open addressing; nullptr is an empty slot
};

}  // namespace quorvane

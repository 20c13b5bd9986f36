#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "source_changes/changes_text.h"

namespace quorvane {

// The changes the "Changes" text shows, for going from one to the next (F7) and back
// (Shift+F7) as Find Next does: after the last comes the first again.
class ChangeList {
  public:
    ChangeList() = default;
    explicit ChangeList(std::vector<ChangeSpan> changes) : changes_(std::move(changes)) {}

    std::size_t Count() const { return changes_.size(); }
    // The first line of the first change that begins after line; none without changes.
    std::optional<std::uint32_t> NextFrom(std::uint32_t line) const;
    // The first line of the last change that begins before the change line is in, or
    // before line when it is in none.
    std::optional<std::uint32_t> PreviousFrom(std::uint32_t line) const;

  private:
    std::vector<ChangeSpan> changes_;  // in the order of the lines
};

// What the view says of count changes: "No changes", "1 change", "14 changes".
std::string ChangesCaption(std::size_t count);

}  // namespace quorvane

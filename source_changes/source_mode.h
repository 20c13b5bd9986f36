#pragma once

#include <optional>
#include <string_view>

namespace quorvane {

// What the "Original Source" view shows of the page.
enum class SourceMode {
    AsServed,  // the bytes the server sent, as text
    AsNow,     // the document as the engine holds it now, after the page's scripts
    Changes,   // the two, every line that differs marked
};

// The mode's name in the settings file, and the mode a name stands for (none for a name
// of no mode).
std::string_view SourceModeName(SourceMode mode);
std::optional<SourceMode> SourceModeNamed(std::string_view name);

}  // namespace quorvane

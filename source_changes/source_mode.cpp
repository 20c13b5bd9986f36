#include "source_changes/source_mode.h"

#include <array>
#include <utility>

namespace quorvane {
namespace {

constexpr std::array<std::pair<SourceMode, std::string_view>, 3> kNames = {{
    {SourceMode::AsServed, "served"},
    {SourceMode::AsNow, "now"},
    {SourceMode::Changes, "changes"},
}};

}  // namespace

std::string_view SourceModeName(SourceMode mode) {
    for (const auto& [named, name] : kNames) {
        if (named == mode) {
            return name;
        }
    }
    return kNames.front().second;
}

std::optional<SourceMode> SourceModeNamed(std::string_view name) {
    for (const auto& [mode, modeName] : kNames) {
        if (modeName == name) {
            return mode;
        }
    }
    return std::nullopt;
}

}  // namespace quorvane

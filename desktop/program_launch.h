#pragma once

#include <optional>
#include <string>

namespace quorvane {

// Starts the running program once more, as a process of its own, given address as its one
// argument (none when empty); no shell reads the address. The failure's message when it
// could not be started.
std::optional<std::string> LaunchProgram(const std::string& address);

}  // namespace quorvane

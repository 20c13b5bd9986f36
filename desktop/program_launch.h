#pragma once

#include <optional>
#include <string>

#include "desktop/start_request.h"

namespace quorvane {

// Starts the running program once more, as a process of its own, asked for request on its
// command line (StartArguments); no shell reads the address. The failure's message when it
// could not be started.
std::optional<std::string> LaunchProgram(const StartRequest& request);

}  // namespace quorvane

#pragma once

#include <optional>
#include <string>

namespace quorvane {

// Opens address with the handler the desktop has for its scheme (the default browser),
// without a display of its own. nullopt when the handler was started, else why not: no
// handler is registered, or it could not be run.
std::optional<std::string> OpenInDefaultBrowser(const std::string& address);

}  // namespace quorvane

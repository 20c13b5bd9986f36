#pragma once

#include <optional>
#include <string>

typedef struct _WebKitPolicyDecision WebKitPolicyDecision;

namespace quorvane {

// The address of the link a middle click follows, when decision (of the kind type) is
// that click; the engine is then told to ignore it, for the caller to open the link in
// a new window as other desktop browsers do. nullopt for every other decision.
std::optional<std::string> TakeMiddleClickedLink(WebKitPolicyDecision* decision, int type);

}  // namespace quorvane

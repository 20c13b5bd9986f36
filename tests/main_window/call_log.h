#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::testing {

// One log that the fake window and the fake browser elements share, so that a test can
// check the order of calls across both.
using CallLog = std::vector<std::string>;

// The entries of log that begin with prefix, in their order.
inline CallLog CallsStartingWith(const CallLog& log, std::string_view prefix) {
    CallLog matching;
    for (const std::string& call : log) {
        if (call.starts_with(prefix)) {
            matching.push_back(call);
        }
    }
    return matching;
}

}  // namespace quorvane::testing

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "desktop/screen_rect.h"

namespace quorvane {

// Who started this copy of the program: a person (from the desktop or a terminal), or
// another of its windows, for a new window (File > New Window, a link or a page).
enum class StartedBy { Person, AnotherWindow };

// What a copy of the program is asked at start, from its command line.
struct StartRequest {
    std::string address;  // what it loads first; the home page when empty
    StartedBy startedBy = StartedBy::Person;
    // The opening window's place, when another window started this one.
    std::optional<ScreenRect> openerPlace;

    bool operator==(const StartRequest&) const = default;
};

// The request of a command line (the arguments after the program's name). A person gives at
// most an address; a window gives "--opened-from=X,Y,WIDTH,HEIGHT", then "--" and the address,
// so that no address a page names is taken for a switch.
StartRequest ReadStartArguments(const std::vector<std::string>& arguments);

// The arguments that ask a new copy for request, as ReadStartArguments reads them.
std::vector<std::string> StartArguments(const StartRequest& request);

}  // namespace quorvane

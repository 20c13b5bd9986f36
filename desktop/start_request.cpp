#include "desktop/start_request.h"

#include <charconv>
#include <string_view>

namespace quorvane {
namespace {

constexpr std::string_view kOpenedFrom = "--opened-from=";
constexpr std::string_view kEndOfSwitches = "--";

// "X,Y,WIDTH,HEIGHT", each a decimal integer; nullopt for anything else.
std::optional<ScreenRect> ReadPlace(std::string_view text) {
    int values[4] = {};
    const char* next = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (next == end || *next != ',') {
                return std::nullopt;
            }
            ++next;
        }
        const auto [stop, error] = std::from_chars(next, end, values[i]);
        if (error != std::errc()) {
            return std::nullopt;
        }
        next = stop;
    }
    if (next != end || values[2] <= 0 || values[3] <= 0) {
        return std::nullopt;
    }
    return ScreenRect{values[0], values[1], values[2], values[3]};
}

std::string WritePlace(const ScreenRect& place) {
    return std::to_string(place.x) + "," + std::to_string(place.y) + "," +
           std::to_string(place.width) + "," + std::to_string(place.height);
}

}  // namespace

StartRequest ReadStartArguments(const std::vector<std::string>& arguments) {
    StartRequest request;
    bool switchesEnded = false;
    for (const std::string& argument : arguments) {
        if (!switchesEnded && argument == kEndOfSwitches) {
            switchesEnded = true;
        } else if (!switchesEnded && argument.starts_with(kOpenedFrom)) {
            request.startedBy = StartedBy::AnotherWindow;
            request.openerPlace = ReadPlace(std::string_view(argument).substr(kOpenedFrom.size()));
        } else if (request.address.empty()) {
            request.address = argument;
        }
    }
    return request;
}

std::vector<std::string> StartArguments(const StartRequest& request) {
    std::vector<std::string> arguments;
    if (request.startedBy == StartedBy::AnotherWindow) {
        arguments.push_back(std::string(kOpenedFrom) +
                            (request.openerPlace ? WritePlace(*request.openerPlace) : ""));
        arguments.emplace_back(kEndOfSwitches);
    }
    if (!request.address.empty()) {
        arguments.push_back(request.address);
    }
    return arguments;
}

}  // namespace quorvane

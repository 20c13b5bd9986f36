#pragma once

#include <optional>
#include <string>

namespace quorvane {

// What the engine said when a page could not be loaded: its error's domain (the GLib
// quark's name), code and message.
struct LoadError {
    std::string domain;
    int code = 0;
    std::string message;
};

// Whether a load that ended with error gets the error page: a load the user or the engine
// ended on purpose (Stop, a newer load, a response that became a download) failed at
// nothing, but a port the engine will not connect to is refused like any other.
bool ShowsErrorPage(const LoadError& error);

// The engine does not fail a load to a port it will not connect to (9, 25, ...): it puts an
// empty page in its place. The failure it would have given, when the load that started
// at started put committed in place; nullopt for every other load.
std::optional<LoadError> BlockedLoad(const std::string& started, const std::string& committed);

// Why the page could not be loaded, in plain words: "The server refused the
// connection.", "No server of that name could be found.", ... The engine's own message
// when it is none of those.
std::string LoadFailureReason(const LoadError& error);

// Why a page whose server never answered was given up, after seconds.
std::string NoAnswerReason(int seconds);

// What status panel 1 says: "Could not open http://host/: The server refused the
// connection."
std::string LoadFailureMessage(const std::string& address, const std::string& reason);

// The page the Browser view shows instead: the address and the reason, and a Try Again
// button that loads the address again.
std::string ErrorPageHtml(const std::string& address, const std::string& reason);

}  // namespace quorvane

#pragma once

#include <string>

namespace quorvane {

// What the engine said when a page could not be loaded: its error's domain (the GLib
// quark's name), code and message.
struct LoadError {
    std::string domain;
    int code = 0;
    std::string message;
};

// Why the page could not be loaded, in plain words: "The server refused the
// connection.", "No server of that name could be found.", ... The engine's own message
// when it is none of those.
std::string LoadFailureReason(const LoadError& error);

// What status panel 1 says: "Could not open http://host/: The server refused the
// connection."
std::string LoadFailureMessage(const std::string& address, const std::string& reason);

// The page the Browser view shows instead: the address and the reason, and a Try Again
// button that loads the address again.
std::string ErrorPageHtml(const std::string& address, const std::string& reason);

}  // namespace quorvane

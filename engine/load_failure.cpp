#include "engine/load_failure.h"

#include <algorithm>
#include <cctype>

#include "desktop/translation.h"

namespace quorvane {

namespace {

// GLib's error codes for the cases that have words of their own (gio/gioenums.h).
constexpr int kGioConnectionRefused = 39;
constexpr int kGioTimedOut = 24;
constexpr int kGioHostUnreachable = 43;
constexpr int kGioNetworkUnreachable = 42;
// libsoup 2's transport errors, which the engine passes on as its "HTTP" errors.
constexpr int kSoupCantResolve = 2;
constexpr int kSoupCantConnect = 4;
constexpr int kSoupSslFailed = 6;
// The engine's own (WebKitError.h).
constexpr char kWebKitNetworkDomain[] = "WebKitNetworkError";
constexpr char kWebKitPolicyDomain[] = "WebKitPolicyError";
constexpr char kWebKitPluginDomain[] = "WebKitPluginError";
constexpr int kWebKitCancelled = 302;
constexpr int kWebKitRestrictedPort = 103;

bool Mentions(const std::string& message, const std::string& words) {
    const auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    std::string folded(message.size(), '\0');
    std::transform(message.begin(), message.end(), folded.begin(), lower);
    return folded.find(words) != std::string::npos;
}

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
                break;
        }
    }
    return escaped;
}

}  // namespace

bool ShowsErrorPage(const LoadError& error) {
    if (error.domain == kWebKitPolicyDomain) {
        return error.code == kWebKitRestrictedPort;
    }
    return !(error.domain == kWebKitNetworkDomain && error.code == kWebKitCancelled) &&
           error.domain != kWebKitPluginDomain;
}

std::optional<LoadError> BlockedLoad(const std::string& started, const std::string& committed) {
    constexpr char kBlank[] = "about:blank";
    if (committed != kBlank || started.empty() || started == kBlank) {
        return std::nullopt;
    }
    return LoadError{kWebKitPolicyDomain, kWebKitRestrictedPort,
                     "Not allowed to use restricted network port"};
}

// A port the engine will not use (9, 25, ...) is refused before any server is asked.
std::string LoadFailureReason(const LoadError& error) {
    if (error.domain == kWebKitPolicyDomain && error.code == kWebKitRestrictedPort) {
        return Translated(
            "The connection was refused: that port is kept for services other than the web.");
    }
    const bool gio = error.domain == "g-io-error-quark";
    const bool soup = error.domain.find("soup") != std::string::npos;
    if ((gio && error.code == kGioConnectionRefused) || Mentions(error.message, "refused")) {
        return Translated("The server refused the connection.");
    }
    if (error.domain == "g-resolver-error-quark" || (soup && error.code == kSoupCantResolve) ||
        Mentions(error.message, "resolve") || Mentions(error.message, "not known")) {
        return Translated("No server of that name could be found.");
    }
    if ((gio && error.code == kGioTimedOut) || Mentions(error.message, "timed out") ||
        Mentions(error.message, "timeout")) {
        return Translated("The server took too long to answer.");
    }
    if (error.domain == "g-tls-error-quark" || (soup && error.code == kSoupSslFailed) ||
        Mentions(error.message, "tls") || Mentions(error.message, "certificate")) {
        return Translated(
            "The site's security certificate could not be trusted, so nothing was "
            "loaded from it.");
    }
    if ((gio && (error.code == kGioHostUnreachable || error.code == kGioNetworkUnreachable)) ||
        (soup && error.code == kSoupCantConnect)) {
        return Translated("The server could not be reached.");
    }
    return error.message.empty() ? Translated("The page could not be loaded.") : error.message;
}

std::string NoAnswerReason(int seconds) {
    return Translated("The server did not answer within {1} seconds.", {std::to_string(seconds)});
}

std::string LoadFailureMessage(const std::string& address, const std::string& reason) {
    return Translated("Could not open {1}: {2}", {address, reason});
}

// No script of its own: Try Again is a link to the address, drawn as a button.
std::string ErrorPageHtml(const std::string& address, const std::string& reason) {
    const std::string shown = Escaped(address);
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" +
           Translated("Could not open {1}", {shown}) +
           "</title>\n<style>:root { color-scheme: light dark; } body { font: 11pt sans-serif; "
           "margin: 3em; } h1 { font-size: 1.4em; } p.address { word-break: break-all; } "
           "a.button { display: inline-block; padding: 0.4em 1.2em; border: 1px solid #888; "
           "border-radius: 4px; color: inherit; text-decoration: none; }</style></head>\n"
           "<body><h1>" +
           Translated("This page could not be opened") + "</h1>\n<p class=\"address\">" + shown +
           "</p>\n<p>" + Escaped(reason) + "</p>\n<p><a class=\"button\" href=\"" + shown + "\">" +
           Translated("Try Again") + "</a></p>\n</body></html>\n";
}

}  // namespace quorvane

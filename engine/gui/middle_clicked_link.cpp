#include "engine/gui/middle_clicked_link.h"

#include <webkit2/webkit2.h>

namespace quorvane {
namespace {

constexpr unsigned kMiddleButton = 2;

}  // namespace

std::optional<std::string> TakeMiddleClickedLink(WebKitPolicyDecision* decision, int type) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
        type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        return std::nullopt;
    }
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    if (webkit_navigation_action_get_mouse_button(action) != kMiddleButton ||
        webkit_navigation_action_get_navigation_type(action) !=
            WEBKIT_NAVIGATION_TYPE_LINK_CLICKED) {
        return std::nullopt;
    }
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    webkit_policy_decision_ignore(decision);
    return std::string(uri != nullptr ? uri : "");
}

}  // namespace quorvane

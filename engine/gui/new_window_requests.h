#pragma once

#include <functional>
#include <string>

class wxWebView;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Where a link or page that asks for a new window goes. In the Browser view it gets a new
// window of the program, and so does a link clicked with the middle button, as in other
// desktop browsers; a generated view's links open in the view itself.
class NewWindowRequests {
  public:
    // The address asked for; byUser when the user asked (a link's menu, a middle click)
    // rather than the page itself.
    using Requested = std::function<void(const std::string& address, bool byUser)>;

    // requested: none in a generated view.
    NewWindowRequests(wxWebView* view, Requested requested);
    ~NewWindowRequests();
    NewWindowRequests(const NewWindowRequests&) = delete;
    NewWindowRequests& operator=(const NewWindowRequests&) = delete;

  private:
    static int OnMiddleClick(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                             void* self);

    WebKitWebView* native_;
    Requested requested_;
};

}  // namespace quorvane

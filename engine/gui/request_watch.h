#pragma once

#include <optional>
#include <unordered_map>

#include "engine/request_events.h"

typedef struct _GError GError;
typedef struct _GParamSpec GParamSpec;
typedef struct _WebKitURIRequest WebKitURIRequest;
typedef struct _WebKitURIResponse WebKitURIResponse;
typedef struct _WebKitWebResource WebKitWebResource;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Tells every request of the view's page, from the engine's own signals: the view's
// resource-load-started for each request, and each resource's sent-request (its headers,
// its redirects), the notice of its response, received-data, finished and failed. The
// view's own document starts a new page. Each resource is held, with a reference of its
// own, until it ends or the watch ends.
class RequestWatch {
  public:
    RequestWatch(WebKitWebView* view, RequestEvents& events);
    ~RequestWatch();
    RequestWatch(const RequestWatch&) = delete;
    RequestWatch& operator=(const RequestWatch&) = delete;

  private:
    enum class Stage { Sent, Answered };
    struct Watched {
        RequestId id;
        Stage stage = Stage::Sent;
        std::optional<std::uint64_t> receivedBytes{};
    };

    static void OnLoadStarted(WebKitWebView* view, WebKitWebResource* resource,
                              WebKitURIRequest* request, void* self);
    static void OnSentRequest(WebKitWebResource* resource, WebKitURIRequest* request,
                              WebKitURIResponse* redirectedResponse, void* self);
    static void OnResponse(WebKitWebResource* resource, GParamSpec*, void* self);
    static void OnReceivedData(WebKitWebResource* resource, unsigned long long bytes, void* self);
    static void OnFinished(WebKitWebResource* resource, void* self);
    static void OnFailed(WebKitWebResource* resource, GError* error, void* self);

    void Watch(WebKitWebResource* resource, WebKitURIRequest* request, bool mainDocument);
    void End(WebKitWebResource* resource, RequestEnded ended);
    void LetGo(WebKitWebResource* resource);

    WebKitWebView* view_;
    RequestEvents& events_;
    RequestId nextId_ = 1;
    std::unordered_map<WebKitWebResource*, Watched> watched_;
};

}  // namespace quorvane

#include "engine/gui/request_watch.h"

#include <libsoup/soup.h>
#include <webkit2/webkit2.h>

#include <string>
#include <utility>

namespace quorvane {
namespace {

double SecondsNow() {
    return static_cast<double>(g_get_real_time()) / G_USEC_PER_SEC;
}

std::string TextOf(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

HttpHeaders HeadersOf(SoupMessageHeaders* headers) {
    HttpHeaders lines;
    if (headers == nullptr) {
        return lines;
    }
    soup_message_headers_foreach(
        headers,
        [](const char* name, const char* value, gpointer into) {
            static_cast<HttpHeaders*>(into)->push_back({TextOf(name), TextOf(value)});
        },
        &lines);
    return lines;
}

RequestSent SentOf(RequestId id, WebKitURIRequest* request, bool mainDocument) {
    return RequestSent{.id = id,
                       .method = TextOf(webkit_uri_request_get_http_method(request)),
                       .address = TextOf(webkit_uri_request_get_uri(request)),
                       .headers = HeadersOf(webkit_uri_request_get_http_headers(request)),
                       .mainDocument = mainDocument,
                       .atSeconds = SecondsNow()};
}

std::string StatusText(unsigned status) {
    return TextOf(soup_status_get_phrase(status));
}

// The user's words for why a request failed: the engine's own where they are plain.
std::string FailureOf(const GError* error) {
    if (error == nullptr) {
        return "failed";
    }
    if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED)) {
        return "cancelled";
    }
    const std::string message = TextOf(error->message);
    if (error->domain == WEBKIT_POLICY_ERROR || message.find("blocked") != std::string::npos) {
        return "blocked: " + message;
    }
    return message.empty() ? "failed" : message;
}

}  // namespace

RequestWatch::RequestWatch(WebKitWebView* view, RequestEvents& events)
    : view_(view), events_(events) {
    g_signal_connect(view_, "resource-load-started", G_CALLBACK(&OnLoadStarted), this);
}

RequestWatch::~RequestWatch() {
    g_signal_handlers_disconnect_by_data(view_, this);
    while (!watched_.empty()) {
        LetGo(watched_.begin()->first);
    }
}

// The view names its new document as its main resource by the time the document starts:
// that is where a page begins, whatever the page before still loads.
void RequestWatch::OnLoadStarted(WebKitWebView* view, WebKitWebResource* resource,
                                 WebKitURIRequest* request, void* self) {
    auto* watch = static_cast<RequestWatch*>(self);
    const bool mainDocument = resource == webkit_web_view_get_main_resource(view);
    if (mainDocument) {
        watch->events_.PageBegan();
    }
    watch->Watch(resource, request, mainDocument);
}

void RequestWatch::Watch(WebKitWebResource* resource, WebKitURIRequest* request,
                         bool mainDocument) {
    if (watched_.contains(resource)) {
        return;
    }
    const RequestId id = nextId_++;
    g_object_ref(resource);
    watched_.emplace(resource, Watched{.id = id});
    g_signal_connect(resource, "sent-request", G_CALLBACK(&OnSentRequest), this);
    g_signal_connect(resource, "notify::response", G_CALLBACK(&OnResponse), this);
    g_signal_connect(resource, "received-data", G_CALLBACK(&OnReceivedData), this);
    g_signal_connect(resource, "finished", G_CALLBACK(&OnFinished), this);
    g_signal_connect(resource, "failed", G_CALLBACK(&OnFailed), this);
    events_.Sent(SentOf(id, request, mainDocument));
}

// Sent with no redirect is the request the load began with, now with the headers the
// engine added; a redirect's ends that request and sends the next.
void RequestWatch::OnSentRequest(WebKitWebResource* resource, WebKitURIRequest* request,
                                 WebKitURIResponse* redirectedResponse, void* self) {
    auto* watch = static_cast<RequestWatch*>(self);
    const auto found = watch->watched_.find(resource);
    if (found == watch->watched_.end() || redirectedResponse == nullptr) {
        return;
    }
    const unsigned status = webkit_uri_response_get_status_code(redirectedResponse);
    watch->events_.Redirected(RequestRedirected{
        .id = found->second.id,
        .status = static_cast<int>(status),
        .statusText = StatusText(status),
        .responseHeaders = HeadersOf(webkit_uri_response_get_http_headers(redirectedResponse)),
        .next = SentOf(found->second.id, request, false)});
}

void RequestWatch::OnResponse(WebKitWebResource* resource, GParamSpec*, void* self) {
    auto* watch = static_cast<RequestWatch*>(self);
    const auto found = watch->watched_.find(resource);
    WebKitURIResponse* response = webkit_web_resource_get_response(resource);
    if (found == watch->watched_.end() || response == nullptr ||
        found->second.stage == Stage::Answered) {
        return;
    }
    found->second.stage = Stage::Answered;
    const unsigned status = webkit_uri_response_get_status_code(response);
    const guint64 length = webkit_uri_response_get_content_length(response);
    watch->events_.Answered(RequestAnswered{
        .id = found->second.id,
        .status = static_cast<int>(status),
        .statusText = status != 0 ? StatusText(status) : std::string(),
        .mimeType = TextOf(webkit_uri_response_get_mime_type(response)),
        .contentLength = length > 0 ? std::optional<std::uint64_t>(length) : std::nullopt,
        .headers = HeadersOf(webkit_uri_response_get_http_headers(response)),
        .atSeconds = SecondsNow()});
}

void RequestWatch::OnReceivedData(WebKitWebResource* resource, unsigned long long bytes,
                                  void* self) {
    auto* watch = static_cast<RequestWatch*>(self);
    if (const auto found = watch->watched_.find(resource); found != watch->watched_.end()) {
        found->second.receivedBytes = found->second.receivedBytes.value_or(0) + bytes;
    }
}

void RequestWatch::OnFinished(WebKitWebResource* resource, void* self) {
    static_cast<RequestWatch*>(self)->End(resource, RequestEnded{});
}

void RequestWatch::OnFailed(WebKitWebResource* resource, GError* error, void* self) {
    static_cast<RequestWatch*>(self)->End(
        resource,
        RequestEnded{.outcome = RequestEnded::Outcome::Failed, .failure = FailureOf(error)});
}

void RequestWatch::End(WebKitWebResource* resource, RequestEnded ended) {
    const auto found = watched_.find(resource);
    if (found == watched_.end()) {
        return;
    }
    ended.id = found->second.id;
    ended.receivedBytes = found->second.receivedBytes;
    ended.atSeconds = SecondsNow();
    LetGo(resource);
    events_.Ended(ended);
}

void RequestWatch::LetGo(WebKitWebResource* resource) {
    g_signal_handlers_disconnect_by_data(resource, this);
    watched_.erase(resource);
    g_object_unref(resource);
}

}  // namespace quorvane

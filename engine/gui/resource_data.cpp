#include "engine/gui/resource_data.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <utility>

#include "engine/charset_parameter.h"

namespace quorvane {
namespace {

std::string OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

// The charset parameter of the response's Content-Type, when it was a web response.
std::string ResponseCharset(WebKitURIResponse* response) {
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    if (headers == nullptr) {
        return {};
    }
    return CharsetParameter(OrEmpty(soup_message_headers_get_one(headers, "Content-Type")))
        .value_or("");
}

// What an engine's answer needs: the caller's done, and what the response said.
struct PendingData {
    ResourceDataDone done;
    ServedResource resource;
};

// The engine answers for a resource of which it holds no bytes with one NUL byte of its own
// making. A frame's own document is always such a one: only the view's main document is
// read from its frame's document loader; any other resource is looked for among its frame's
// files, where a document is never found, and the engine's memory cache is not asked. The
// view's copy of the page as a whole (MHTML) holds each frame's document as it is now, not
// as served: the engine gives a frame's served text only by loading it once more, from its
// cache at best, which the page's list of requests would show.
bool NoBytesHeld(GObject* source, const guchar* bytes, gsize length) {
    if (length != 1 || bytes[0] != 0) {
        return false;
    }
    WebKitURIResponse* response = webkit_web_resource_get_response(WEBKIT_WEB_RESOURCE(source));
    return response == nullptr || webkit_uri_response_get_content_length(response) != 1;
}

void OnResourceData(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingData> pending(static_cast<PendingData*>(data));
    GError* error = nullptr;
    gsize length = 0;
    guchar* bytes =
        webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result, &length, &error);
    if (error != nullptr) {
        // Cancelled because the owner went: nobody is there to tell.
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_error_free(error);
        if (!cancelled) {
            pending->done(std::nullopt);
        }
        return;
    }
    if (NoBytesHeld(source, bytes, length)) {
        g_free(bytes);
        pending->done(std::nullopt);
        return;
    }
    pending->resource.bytes.assign(reinterpret_cast<const char*>(bytes), length);
    g_free(bytes);
    pending->done(std::move(pending->resource));
}

}  // namespace

void ReadResourceData(WebKitWebResource* resource, GCancellable* cancellable,
                      ServedResource described, ResourceDataDone done) {
    webkit_web_resource_get_data(resource, cancellable, &OnResourceData,
                                 new PendingData{std::move(done), std::move(described)});
}

void ReadMainResource(WebKitWebView* view, GCancellable* cancellable, ResourceDataDone done) {
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
    if (resource == nullptr) {
        done(std::nullopt);
        return;
    }
    ServedResource served;
    served.address = OrEmpty(webkit_web_resource_get_uri(resource));
    if (WebKitURIResponse* response = webkit_web_resource_get_response(resource)) {
        served.mimeType = OrEmpty(webkit_uri_response_get_mime_type(response));
        served.charset = ResponseCharset(response);
    }
    ReadResourceData(resource, cancellable, std::move(served), std::move(done));
}

}  // namespace quorvane

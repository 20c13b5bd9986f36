// The Browser view's document as the engine received it, for the "Original Source" view.
#include <webkit2/webkit2.h>

#include <memory>
#include <optional>
#include <utility>

#include "engine/gui/body_capture.h"
#include "engine/gui/webview_browser_element.h"
#include "inspection/document_charset.h"

namespace quorvane {
namespace {

// What an engine's answer needs: the caller's done, and what the response said.
struct PendingResource {
    BrowserElement::ResourceDone done;
    ServedResource resource;
};

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

void OnResourceData(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingResource> pending(static_cast<PendingResource*>(data));
    GError* error = nullptr;
    gsize length = 0;
    guchar* bytes =
        webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result, &length, &error);
    if (error != nullptr) {
        // Cancelled because the element went: nobody is there to tell.
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_error_free(error);
        if (!cancelled) {
            pending->done(std::nullopt);
        }
        return;
    }
    pending->resource.bytes.assign(reinterpret_cast<const char*>(bytes), length);
    g_free(bytes);
    pending->done(std::move(pending->resource));
}

}  // namespace

void WebViewBrowserElement::FetchMainResource(ResourceDone done) {
    MakeEngine();
    WebKitWebResource* resource = webkit_web_view_get_main_resource(native_);
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
    webkit_web_resource_get_data(resource, capture_->Cancellable(), &OnResourceData,
                                 new PendingResource{std::move(done), std::move(served)});
}

}  // namespace quorvane

// What the Browser view's engine received: the document, for the "Original Source" view,
// and the files its page loaded, for the Image List.
#include <webkit2/webkit2.h>

#include <optional>
#include <utility>

#include "engine/gui/body_capture.h"
#include "engine/gui/engine_resource_copies.h"
#include "engine/gui/resource_data.h"
#include "engine/gui/webview_browser_element.h"
#include "inspection/document_charset.h"

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
    ReadResourceData(resource, capture_->Cancellable(), std::move(served), std::move(done));
}

void WebViewBrowserElement::ReadCopy(const std::string& address, CopyDone done) {
    if (copies_) {
        copies_->Read(address, std::move(done));
    } else {
        done(std::nullopt);
    }
}

void WebViewBrowserElement::AwaitLoad(const std::string& address, std::chrono::milliseconds wait,
                                      LoadEnded ended) {
    if (copies_) {
        copies_->AwaitLoad(address, wait, std::move(ended));
    } else {
        ended(false);
    }
}

}  // namespace quorvane

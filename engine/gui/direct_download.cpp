#include "engine/gui/direct_download.h"

#include <libsoup/soup.h>
#include <webkit2/webkit2.h>

#include <cstring>
#include <utility>

#include "desktop/translation.h"

namespace quorvane {

namespace {

template <typename T>
struct GObjectUnref {
    void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref<T>>;

// Each step of the transfer holds the download alive until its answer comes, even when
// the window has let go of it meanwhile.
using Hold = std::shared_ptr<DirectDownload>;

void* HoldFor(const Hold& download) {
    return new Hold(download);
}

Hold Held(void* data) {
    std::unique_ptr<Hold> hold(static_cast<Hold*>(data));
    return std::move(*hold);
}

std::string Message(GError* error) {
    std::string text = error != nullptr ? error->message : Translated("unknown error");
    g_clear_error(&error);
    return text;
}

}  // namespace

std::optional<std::string> SuggestedFileName(WebKitURIResponse* response) {
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    const char* disposition =
        headers != nullptr ? soup_message_headers_get_one(headers, "Content-Disposition") : nullptr;
    const char* parameters = disposition != nullptr ? std::strchr(disposition, ';') : nullptr;
    if (parameters == nullptr) {
        return std::nullopt;
    }
    GHashTable* table = soup_header_parse_semi_param_list(parameters + 1);
    const auto* name = static_cast<const char*>(g_hash_table_lookup(table, "filename"));
    std::optional<std::string> suggested =
        name != nullptr ? std::optional<std::string>(name) : std::nullopt;
    soup_header_free_param_list(table);
    return suggested;
}

bool EngineCannotDownload(WebKitURIResponse* response) {
    const std::optional<std::string> name = SuggestedFileName(response);
    return name && name->find('/') != std::string::npos;
}

struct DirectDownload::Transfer {
    std::unique_ptr<DownloadTarget> target;
    std::string filePath;
    GObjectPtr<GCancellable> cancellable{g_cancellable_new()};
    GObjectPtr<SoupSession> session;
    GObjectPtr<SoupMessage> message;
    GObjectPtr<WebKitCookieManager> cookies;
    bool ended = false;
};

DirectDownload::DirectDownload(std::unique_ptr<Transfer> transfer)
    : transfer_(std::move(transfer)) {}

DirectDownload::~DirectDownload() = default;

std::shared_ptr<DirectDownload> DirectDownload::Start(WebKitWebView* view,
                                                      WebKitURIResponse* response,
                                                      std::unique_ptr<DownloadTarget> target) {
    auto transfer = std::make_unique<Transfer>();
    transfer->target = std::move(target);
    auto download = std::make_shared<DirectDownload>(std::move(transfer));
    Transfer& t = *download->transfer_;
    DownloadDestination destination =
        t.target->DestinationFor(SuggestedFileName(response).value_or(""));
    if (destination.filePath.empty()) {
        download->Fail(destination.failure);
        return download;
    }
    t.filePath = std::move(destination.filePath);
    const char* address = webkit_uri_response_get_uri(response);
    t.message.reset(address != nullptr ? soup_message_new("GET", address) : nullptr);
    if (!t.message) {
        download->Fail(Translated("the address cannot be fetched"));
        return download;
    }
    const char* agent = webkit_settings_get_user_agent(webkit_web_view_get_settings(view));
    t.session.reset(soup_session_new_with_options(SOUP_SESSION_USER_AGENT, agent, nullptr));
    WebKitWebsiteDataManager* data = webkit_web_view_get_website_data_manager(view);
    t.cookies.reset(static_cast<WebKitCookieManager*>(
        g_object_ref(webkit_website_data_manager_get_cookie_manager(data))));
    t.target->Started();
    webkit_cookie_manager_get_cookies(t.cookies.get(), address, t.cancellable.get(),
                                      reinterpret_cast<GAsyncReadyCallback>(&OnCookies),
                                      HoldFor(download));
    return download;
}

void DirectDownload::OnCookies(void* source, void* result, void* self) {
    const Hold download = Held(self);
    GError* error = nullptr;
    GList* cookies = webkit_cookie_manager_get_cookies_finish(
        static_cast<WebKitCookieManager*>(source), static_cast<GAsyncResult*>(result), &error);
    Transfer& t = *download->transfer_;
    if (t.ended) {
        g_clear_error(&error);
        g_list_free_full(cookies, reinterpret_cast<GDestroyNotify>(&soup_cookie_free));
        return;
    }
    g_clear_error(&error);  // without the cookies, the server decides
    GSList* list = nullptr;
    for (GList* each = cookies; each != nullptr; each = each->next) {
        list = g_slist_prepend(list, each->data);
    }
    list = g_slist_reverse(list);
    soup_cookies_to_request(list, t.message.get());
    g_slist_free(list);
    g_list_free_full(cookies, reinterpret_cast<GDestroyNotify>(&soup_cookie_free));
    soup_session_send_async(t.session.get(), t.message.get(), t.cancellable.get(),
                            reinterpret_cast<GAsyncReadyCallback>(&OnSent), HoldFor(download));
}

void DirectDownload::OnSent(void* source, void* result, void* self) {
    const Hold download = Held(self);
    GError* error = nullptr;
    GObjectPtr<GInputStream> body(soup_session_send_finish(
        static_cast<SoupSession*>(source), static_cast<GAsyncResult*>(result), &error));
    Transfer& t = *download->transfer_;
    if (t.ended) {
        g_clear_error(&error);
        return;
    }
    if (!body) {
        download->Fail(Message(error));
        return;
    }
    const guint status = t.message->status_code;
    if (status >= 400) {
        download->Fail(Translated("the server answered {1} {2}",
                                  {std::to_string(status), soup_status_get_phrase(status)}));
        return;
    }
    GObjectPtr<GFile> file(g_file_new_for_path(t.filePath.c_str()));
    GObjectPtr<GFileOutputStream> out(
        g_file_append_to(file.get(), G_FILE_CREATE_NONE, nullptr, &error));
    if (!out) {
        download->Fail(Message(error));
        return;
    }
    g_output_stream_splice_async(
        G_OUTPUT_STREAM(out.get()), body.get(),
        static_cast<GOutputStreamSpliceFlags>(G_OUTPUT_STREAM_SPLICE_CLOSE_SOURCE |
                                              G_OUTPUT_STREAM_SPLICE_CLOSE_TARGET),
        G_PRIORITY_DEFAULT, t.cancellable.get(), reinterpret_cast<GAsyncReadyCallback>(&OnSpliced),
        HoldFor(download));
}

void DirectDownload::OnSpliced(void* source, void* result, void* self) {
    const Hold download = Held(self);
    GError* error = nullptr;
    const gssize received = g_output_stream_splice_finish(
        static_cast<GOutputStream*>(source), static_cast<GAsyncResult*>(result), &error);
    if (download->transfer_->ended) {
        g_clear_error(&error);
        return;
    }
    if (received < 0) {
        download->Fail(Message(error));
        return;
    }
    download->Finish(received);
}

// A connection that closes before the length its answer announced leaves a file cut off.
void DirectDownload::Finish(long long received) {
    Transfer& t = *transfer_;
    SoupMessageHeaders* headers = t.message->response_headers;
    const goffset announced =
        soup_message_headers_get_encoding(headers) == SOUP_ENCODING_CONTENT_LENGTH
            ? soup_message_headers_get_content_length(headers)
            : 0;
    if (announced > received) {
        Fail(Translated("the connection ended after {1} of {2} bytes",
                        {std::to_string(received), std::to_string(announced)}));
        return;
    }
    t.ended = true;
    t.target->Finished();
}

void DirectDownload::Fail(const std::string& why) {
    Transfer& t = *transfer_;
    t.ended = true;
    t.target->Failed(why);
}

void DirectDownload::Abandon() {
    Transfer& t = *transfer_;
    t.ended = true;
    g_cancellable_cancel(t.cancellable.get());
    t.target.reset();
}

void DirectDownload::Cancel() {
    Transfer& t = *transfer_;
    if (t.ended) {
        return;
    }
    t.ended = true;
    g_cancellable_cancel(t.cancellable.get());
    t.target->Cancelled();
}

bool DirectDownload::Ended() const {
    return transfer_->ended;
}

}  // namespace quorvane

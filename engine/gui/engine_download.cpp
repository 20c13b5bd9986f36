#include "engine/gui/engine_download.h"

#include <libsoup/soup.h>
#include <webkit2/webkit2.h>

#include "desktop/translation.h"

namespace quorvane {
namespace {

// The engine counts an answer such as 404 as a download like any other; its body is a
// page about the error, not the file asked for.
std::optional<std::string> HttpFailure(WebKitDownload* download) {
    WebKitURIResponse* response = webkit_download_get_response(download);
    const guint status = response != nullptr ? webkit_uri_response_get_status_code(response) : 0;
    if (status < 400) {
        return std::nullopt;
    }
    return Translated("the server answered {1} {2}",
                      {std::to_string(status), soup_status_get_phrase(status)});
}

// A connection that closes before the length its answer announced leaves a file cut
// off, which the engine counts as complete.
std::optional<std::string> Incomplete(WebKitDownload* download) {
    WebKitURIResponse* response = webkit_download_get_response(download);
    const guint64 announced =
        response != nullptr ? webkit_uri_response_get_content_length(response) : 0;
    const guint64 received = webkit_download_get_received_data_length(download);
    if (announced == 0 || received >= announced) {
        return std::nullopt;
    }
    return Translated("the connection ended after {1} of {2} bytes",
                      {std::to_string(received), std::to_string(announced)});
}

}  // namespace

std::optional<std::string> Unfinished(WebKitDownload* download) {
    if (auto failure = HttpFailure(download)) {
        return failure;
    }
    return Incomplete(download);
}

void SetDestination(WebKitDownload* download, const std::string& filePath) {
    gchar* uri = g_filename_to_uri(filePath.c_str(), nullptr, nullptr);
    // The file is there already: it was made to hold the name.
    webkit_download_set_allow_overwrite(download, TRUE);
    webkit_download_set_destination(download, uri);
    g_free(uri);
}

}  // namespace quorvane

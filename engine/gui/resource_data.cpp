#include "engine/gui/resource_data.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <utility>

namespace quorvane {
namespace {

// What an engine's answer needs: the caller's done, and what the response said.
struct PendingData {
    ResourceDataDone done;
    ServedResource resource;
};

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

}  // namespace quorvane

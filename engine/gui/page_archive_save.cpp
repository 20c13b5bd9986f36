#include "engine/gui/page_archive_save.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <utility>

#include "desktop/translation.h"

namespace quorvane {
namespace {

void OnSaved(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PageArchiving::ArchiveDone> done(
        static_cast<PageArchiving::ArchiveDone*>(data));
    GError* error = nullptr;
    if (webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(source), result, &error)) {
        (*done)(std::nullopt);
        return;
    }
    // Cancelled because the owner went: nobody is there to tell.
    const bool cancelled =
        error != nullptr && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    std::string reason = error != nullptr ? error->message : Translated("the engine wrote nothing");
    if (error != nullptr) {
        g_error_free(error);
    }
    if (!cancelled) {
        (*done)(std::move(reason));
    }
}

}  // namespace

void SavePageArchive(WebKitWebView* view, GCancellable* cancellable, const std::string& filePath,
                     PageArchiving::ArchiveDone done) {
    GFile* file = g_file_new_for_path(filePath.c_str());
    webkit_web_view_save_to_file(view, file, WEBKIT_SAVE_MODE_MHTML, cancellable, &OnSaved,
                                 new PageArchiving::ArchiveDone(std::move(done)));
    g_object_unref(file);
}

}  // namespace quorvane

#include "engine/gui/engine_archive_reader.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>
#include <wx/app.h>

#include <utility>

#include "engine/gui/resource_data.h"

namespace quorvane {
namespace {

// The engine names the type of the page it shows by its main resource's response.
bool ShowsArchive(WebKitWebView* view) {
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
    WebKitURIResponse* response =
        resource != nullptr ? webkit_web_resource_get_response(resource) : nullptr;
    const char* type = response != nullptr ? webkit_uri_response_get_mime_type(response) : nullptr;
    return type != nullptr && IsArchiveType(type);
}

}  // namespace

// The application outlives every view: an answer of the worker's reaches the window's
// thread through it, and finds the worker gone when the view went meanwhile.
EngineArchiveReader::EngineArchiveReader(WebKitWebView* view)
    : view_(WEBKIT_WEB_VIEW(g_object_ref(view))),
      reads_(g_cancellable_new()),
      copies_([](std::function<void()> step) { wxTheApp->CallAfter(std::move(step)); }) {
    g_signal_connect(view_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
}

EngineArchiveReader::~EngineArchiveReader() {
    g_cancellable_cancel(reads_);
    g_object_unref(reads_);
    g_signal_handlers_disconnect_by_data(view_, this);
    g_object_unref(view_);
}

void EngineArchiveReader::OnLoadChanged(WebKitWebView* view, int loadEvent, void* self) {
    auto* reader = static_cast<EngineArchiveReader*>(self);
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        reader->copies_.PageStarted();
    } else if (loadEvent == WEBKIT_LOAD_COMMITTED && ShowsArchive(view)) {
        reader->copies_.ArchiveCommitted();
    } else if (loadEvent == WEBKIT_LOAD_FINISHED &&
               reader->copies_.CurrentStage() == ArchiveCopies::Stage::Reading) {
        reader->ReadArchive();
    }
}

// Cancelled only when the reader goes: an answer for a page before is dropped.
void EngineArchiveReader::ReadArchive() {
    ReadMainResource(
        view_, reads_, [this, page = copies_.Page()](std::optional<ServedResource> archive) {
            if (page == copies_.Page()) {
                copies_.ArchiveLoaded(archive ? std::optional(std::move(archive->bytes))
                                              : std::nullopt);
            }
        });
}

}  // namespace quorvane

#include "engine/gui/generated_view_engine.h"

#include <webkit2/webkit2.h>

#include <utility>

#include "engine/gui/generated_view_settings.h"

namespace quorvane {
namespace {

// How long the engine may take to begin a load before the view looks whether it is stuck
// on the page before.
constexpr int kLoadStartGraceMs = 250;

}  // namespace

GeneratedViewEngine::GeneratedViewEngine(WebKitWebView* view, bool drawingHeld, Told told)
    : view_(view), styles_(view), told_(std::move(told)) {
    ApplyGeneratedViewSettings(view_);
    LoadPictures(false);
    if (drawingHeld) {
        styles_.HoldDrawing(true);
    }
    g_signal_connect_after(view_, "size-allocate", G_CALLBACK(&OnSizeAllocated), this);
    loadStartWatch_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { told_.loadStartLate(); });
}

GeneratedViewEngine::~GeneratedViewEngine() {
    g_signal_handlers_disconnect_by_data(view_, this);
}

void GeneratedViewEngine::HoldDrawing(bool held) {
    styles_.HoldDrawing(held);
}

void GeneratedViewEngine::LoadPictures(bool shown) {
    webkit_settings_set_auto_load_images(webkit_web_view_get_settings(view_), shown);
}

void GeneratedViewEngine::WatchLoadStart() {
    loadStartWatch_.StartOnce(kLoadStartGraceMs);
}

void GeneratedViewEngine::LoadStarted() {
    loadStartWatch_.Stop();
}

// A view shown for the first time has its width only once GTK has allocated it.
void GeneratedViewEngine::OnSizeAllocated(GtkWidget* view, void*, void* self) {
    static_cast<GeneratedViewEngine*>(self)->told_.widthChanged(
        gtk_widget_get_allocated_width(view) > 1);
}

}  // namespace quorvane

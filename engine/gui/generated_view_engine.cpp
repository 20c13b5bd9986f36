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
    g_signal_connect(view_, "load-failed", G_CALLBACK(&OnLoadFailed), this);
    // After the view's own handlers: the failed load has ended for them when it is asked again.
    g_signal_connect_after(view_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
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

// A load pushed aside by a newer one, or stopped, fails as cancelled. Any other failure of a
// work file means the engine could not read it: its network process was ended (with a Browser
// view's engine that did not answer) or crashed, and the next read goes to a fresh one.
int GeneratedViewEngine::OnLoadFailed(WebKitWebView*, int, const char*, GError* error, void* self) {
    auto* engine = static_cast<GeneratedViewEngine*>(self);
    engine->failed_ = !g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED);
    // Handled when it will be read again: the engine's error page would push that load aside.
    return engine->failed_ && !engine->readAgain_;
}

void GeneratedViewEngine::OnLoadChanged(WebKitWebView*, int loadEvent, void* self) {
    auto* engine = static_cast<GeneratedViewEngine*>(self);
    if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        engine->readAgain_ = false;
    } else if (loadEvent == WEBKIT_LOAD_FINISHED && std::exchange(engine->failed_, false) &&
               !std::exchange(engine->readAgain_, true)) {
        engine->told_.readAgain();
    }
}

}  // namespace quorvane

#include "engine/gui/engine_image_gatherer.h"

#include <webkit2/webkit2.h>

#include <utility>

#include "engine/gui/script_text.h"

namespace quorvane {
namespace {

constexpr const char* kWorld = "quorvane-images";
constexpr const char* kHandler = "quorvaneImages";
constexpr const char* kGatherAgain =
    "window.__quorvaneGatherImages && window.__quorvaneGatherImages(true)";

void OnGatherAgainRan(GObject* source, GAsyncResult* result, gpointer) {
    // A page without our script (an error page, nothing loaded) has nothing to gather.
    bool cancelled = false;
    if (JSCValue* value = ScriptAnswer(source, result, cancelled)) {
        g_object_unref(value);
    }
}

}  // namespace

EngineImageGatherer::EngineImageGatherer(WebKitWebView* view, Reported reported,
                                         std::function<void()> newPage)
    : view_(WEBKIT_WEB_VIEW(g_object_ref(view))),
      content_(WEBKIT_USER_CONTENT_MANAGER(
          g_object_ref(webkit_web_view_get_user_content_manager(view)))),
      reported_(std::move(reported)),
      newPage_(std::move(newPage)),
      requests_(g_cancellable_new()) {
    loadId_ = g_signal_connect(view_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
    handlerId_ = g_signal_connect(content_, "script-message-received::quorvaneImages",
                                  G_CALLBACK(&OnMessage), this);
    webkit_user_content_manager_register_script_message_handler_in_world(content_, kHandler,
                                                                         kWorld);
    const std::string source(kImageGathererScript);
    script_ = webkit_user_script_new_for_world(
        source.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
        WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_END, kWorld, nullptr, nullptr);
    webkit_user_content_manager_add_script(content_, script_);
}

EngineImageGatherer::~EngineImageGatherer() {
    g_cancellable_cancel(requests_);
    g_object_unref(requests_);
    g_signal_handler_disconnect(view_, loadId_);
    g_signal_handler_disconnect(content_, handlerId_);
    webkit_user_content_manager_unregister_script_message_handler_in_world(content_, kHandler,
                                                                           kWorld);
    webkit_user_content_manager_remove_script(content_, script_);
    webkit_user_script_unref(script_);
    g_object_unref(content_);
    g_object_unref(view_);
}

void EngineImageGatherer::GatherAgain() {
    webkit_web_view_evaluate_javascript(view_, kGatherAgain, -1, kWorld, nullptr, requests_,
                                        &OnGatherAgainRan, nullptr);
}

void EngineImageGatherer::OnLoadChanged(WebKitWebView*, int loadEvent, void* self) {
    if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        static_cast<EngineImageGatherer*>(self)->newPage_();
    }
}

void EngineImageGatherer::OnMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                                    void* self) {
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    if (!jsc_value_is_string(value)) {
        return;
    }
    gchar* text = jsc_value_to_string(value);
    std::string report(text);
    g_free(text);
    static_cast<EngineImageGatherer*>(self)->reported_(std::move(report));
}

}  // namespace quorvane

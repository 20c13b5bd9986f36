#include "engine/gui/script_text.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

namespace quorvane {

std::string WithValue(std::string script, std::string_view name, std::size_t value) {
    const std::string text = std::to_string(value);
    for (std::size_t at = script.find(name); at != std::string::npos;
         at = script.find(name, at + text.size())) {
        script.replace(at, name.size(), text);
    }
    return script;
}

JSCValue* ScriptAnswer(GObject* source, GAsyncResult* result, bool& cancelled) {
    GError* error = nullptr;
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    cancelled = error != nullptr && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    if (error != nullptr) {
        g_error_free(error);
    }
    return value;
}

JSCValue* FunctionAnswer(GObject* source, GAsyncResult* result, bool& cancelled) {
    GError* error = nullptr;
    JSCValue* value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source),
                                                                            result, &error);
    cancelled = error != nullptr && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    if (error != nullptr) {
        g_error_free(error);
    }
    return value;
}

std::optional<std::string> StringAnswer(JSCValue* value) {
    if (!jsc_value_is_string(value)) {
        return std::nullopt;
    }
    GBytes* bytes = jsc_value_to_string_as_bytes(value);
    std::size_t size = 0;
    const auto* text = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string answer(text, size);
    g_bytes_unref(bytes);
    return answer;
}

}  // namespace quorvane

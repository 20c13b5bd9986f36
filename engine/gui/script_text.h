#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

typedef struct _GAsyncResult GAsyncResult;
typedef struct _GObject GObject;
typedef struct _JSCValue JSCValue;

namespace quorvane {

// script with value written in place of each name.
std::string WithValue(std::string script, std::string_view name, std::size_t value);

// The answer of a script a web view (source) ran, owned by the caller; nullptr when the
// script failed, and then cancelled says whether it failed for being cancelled.
JSCValue* ScriptAnswer(GObject* source, GAsyncResult* result, bool& cancelled);

// The same for a function the web view called (webkit_web_view_call_async_javascript_function).
JSCValue* FunctionAnswer(GObject* source, GAsyncResult* result, bool& cancelled);

// A script's string answer as bytes, so that a NUL the page's scripts put into the text
// does not end it; none when the answer is no string.
std::optional<std::string> StringAnswer(JSCValue* value);

}  // namespace quorvane

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

typedef struct _JSCValue JSCValue;

namespace quorvane {

// script with value written in place of each name.
std::string WithValue(std::string script, std::string_view name, std::size_t value);

// A script's string answer as bytes, so that a NUL the page's scripts put into the text
// does not end it; none when the answer is no string.
std::optional<std::string> StringAnswer(JSCValue* value);

}  // namespace quorvane

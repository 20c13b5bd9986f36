#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The charset parameter of a Content-Type value ("text/html; charset=utf-8"), unquoted;
// nullopt without one. What a response says its document's encoding is, read as
// browsers read it.
std::optional<std::string> CharsetParameter(std::string_view contentType);

}  // namespace quorvane

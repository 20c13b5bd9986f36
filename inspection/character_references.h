#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// An attribute's value as a browser reads it: "&amp;", "&#38;", "&#x26;" and the other
// references of characters an address can hold become those characters, in UTF-8. As in
// browsers, a legacy name without its ";" followed by a letter, a digit or "=" stays as
// written ("?a=1&copy=2" keeps its "&copy"), and an unknown name stays too.
std::string DecodeCharacterReferences(std::string_view value);

}  // namespace quorvane

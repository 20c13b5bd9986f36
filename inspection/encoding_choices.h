#pragma once

#include <span>
#include <string_view>

namespace quorvane {

// An encoding the user can choose to read a served text in, when its server named the
// wrong one: the language it is for and the name browsers give it ("windows-1251").
struct EncodingChoice {
    std::string_view language;
    std::string_view name;
};

// The short list browsers offer, grouped by language, Unicode and Western first. Each name
// is a label EncodingForLabel reads as the encoding of that name.
std::span<const EncodingChoice> EncodingChoices();

}  // namespace quorvane

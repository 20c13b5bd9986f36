#pragma once

#include <optional>
#include <string_view>

namespace quorvane {

// An encoding of the web, under the name browsers give it ("windows-1252", "EUC-KR"), and
// the name of the glibc converter that reads its bytes as browsers read them ("CP1252",
// "CP949"). Three of them have no converter: UTF-8 is shown as it came, and
// "x-user-defined" and "replacement" are read by rules of their own.
struct WebEncoding {
    std::string_view name;
    std::string_view iconvName;

    friend bool operator==(const WebEncoding&, const WebEncoding&) = default;
};

inline constexpr WebEncoding kUtf8Encoding{"UTF-8", ""};

// The encoding a label names, by the web's own table of labels: white space around the
// label does not count, nor does ASCII case. nullopt for a label browsers do not read
// ("utf-7", "utf-32", a misspelling): such a label names no encoding.
std::optional<WebEncoding> EncodingForLabel(std::string_view label);

}  // namespace quorvane

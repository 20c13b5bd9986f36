#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The contents of a "data:" address: its media type without parameters ("image/png"),
// and its bytes.
struct DataUrlContent {
    std::string mediaType;
    std::string bytes;
};

// text with every "%" and two hex digits made the byte they stand for; a "%" without
// two hex digits stands for itself.
std::string PercentDecoded(std::string_view text);

// Whether address is a "data:" address (the scheme in any letter case).
bool IsDataUrl(std::string_view address);

// The media type of a data: address without parameters, read from its header alone, so
// that a megabyte of data, or broken data, costs nothing; "" for no data: address.
std::string DataUrlMediaType(std::string_view address);

// Decodes "data:[<media type>][;base64],<data>" as browsers do: the data is
// percent-decoded, then base64-decoded when marked so (blanks ignored, padding
// optional). nullopt for an address that is not a data: address, has no comma, or
// holds broken base64.
std::optional<DataUrlContent> DecodeDataUrl(std::string_view address);

}  // namespace quorvane

#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "image_list/image_list.h"

namespace quorvane {

// The bounds of what the gatherer sends in one report. It runs in the page's frames,
// so its reports are read as coming from the page: any field may be missing, of another
// type, or too long.
inline constexpr std::size_t kMaxImageReportBytes = 32 * 1024 * 1024;
inline constexpr std::size_t kMaxFindingsPerReport = 5000;
inline constexpr std::size_t kMaxImageAddressBytes = 1024 * 1024;
inline constexpr std::size_t kMaxImageTextBytes = 1000;

// Reads a report of the gatherer, a JSON object such as
//   {"frame":"f3","gather":1,"stopped":false,"done":true,"items":[{"a":"http://h/a.png","k":"img","nw":10,"nh":20,
//     "sw":10,"sh":20,"t":"alt","d":"2x","g":"s1","cut":false}]}
// or, for the sizes measured since, {"frame":"f3","gather":1,"sizes":[["http://h/b.png",64,32]]}.
// A finding without an address or a known kind is dropped, a longer address is cut (and
// marked so), a longer text cut at a character; sizes are whole numbers up to a million.
// nullopt for a report that is no such object or longer than kMaxImageReportBytes.
std::optional<ImageReport> ParseImageReport(std::string_view json);

}  // namespace quorvane

#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Every line break made CR LF: a lone LF and a lone CR both become CR LF, and an
// existing CR LF stays as it is.
std::string WithCrLfLineBreaks(std::string_view text);

}  // namespace quorvane

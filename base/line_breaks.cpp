#include "base/line_breaks.h"

namespace quorvane {

std::string WithCrLfLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            result.append("\r\n");
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            result.append("\r\n");
        } else {
            result.push_back(c);
        }
    }
    return result;
}

}  // namespace quorvane

#include "engine/live_document_text.h"

#include "desktop/translation.h"

namespace quorvane {

bool HoldLiveText(std::string& text, std::size_t totalUnits, std::size_t limit) {
    if (text.size() <= limit) {
        return false;
    }
    std::size_t end = limit;
    // A byte 10xxxxxx goes on a character that began before it.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    text += "\n[" +
            Translated("The page goes on: only its first {1} bytes are shown, of {2} characters.",
                       {std::to_string(end), std::to_string(totalUnits)}) +
            "]\n";
    return true;
}

}  // namespace quorvane

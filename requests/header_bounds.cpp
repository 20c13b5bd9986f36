#include "requests/header_bounds.h"

namespace quorvane {
namespace {

// Cut at a character's start, so that the kept value stays UTF-8 where it was.
std::size_t CutPlace(const std::string& text, std::size_t at) {
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
        --at;
    }
    return at;
}

bool CutLong(std::string& text) {
    if (text.size() <= HeaderBounds::kMaxLineBytes) {
        return false;
    }
    text.resize(CutPlace(text, HeaderBounds::kMaxLineBytes));
    text += HeaderBounds::kCutMark;
    return true;
}

}  // namespace

bool HeaderBounds::Keep(HttpHeaders& headers) {
    bool cut = false;
    std::size_t kept = 0;
    for (HttpHeader& line : headers) {
        cut = CutLong(line.name) | cut;
        cut = CutLong(line.value) | cut;
        const std::size_t size = line.name.size() + line.value.size();
        if (spent_ || bytes_ + size > maxPageBytes_) {
            spent_ = true;
            break;
        }
        bytes_ += size;
        ++kept;
    }
    if (kept < headers.size()) {
        headers.resize(kept);
        cut = true;
    }
    return cut;
}

}  // namespace quorvane

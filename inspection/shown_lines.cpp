#include "inspection/shown_lines.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

namespace quorvane {
namespace {

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The next line end from a position on: the next LF and the next CR are each looked for
// with memchr only once they are passed, so a text is read about once whatever its lines.
class LineEnds {
  public:
    explicit LineEnds(std::string_view text)
        : text_(text), nextLf_(Next('\n', 0)), nextCr_(Next('\r', 0)) {}

    std::size_t From(std::size_t from) {
        if (nextLf_ < from) {
            nextLf_ = Next('\n', from);
        }
        if (nextCr_ < from) {
            nextCr_ = Next('\r', from);
        }
        return std::min(nextLf_, nextCr_);
    }

  private:
    std::size_t Next(char c, std::size_t from) const {
        const void* found = std::memchr(text_.data() + from, c, text_.size() - from);
        return found == nullptr ? text_.size() : static_cast<const char*>(found) - text_.data();
    }

    std::string_view text_;
    std::size_t nextLf_;
    std::size_t nextCr_;
};

// Where a piece of line that runs past maxLine from begin ends: after the last ">" of its
// second half, else after its last space, else at the last character's edge.
std::size_t PieceEnd(std::string_view line, std::size_t begin, std::size_t maxLine) {
    const std::string_view piece = line.substr(begin, maxLine);
    const std::size_t half = maxLine / 2;
    const std::size_t tagEnd = piece.rfind('>');
    if (tagEnd != std::string_view::npos && tagEnd >= half) {
        return begin + tagEnd + 1;
    }
    const std::size_t space = piece.rfind(' ');
    if (space != std::string_view::npos && space >= half) {
        return begin + space + 1;
    }
    std::size_t end = begin + piece.size();
    while (end > begin + 1 && IsUtf8Continuation(line[end])) {
        --end;
    }
    return end;
}

}  // namespace

ShownLines BreakLongLines(std::string text, std::size_t maxLine) {
    ShownLines shown;
    const std::string_view source(text);
    std::uint32_t line = 0;
    std::size_t copied = 0;  // what of source is in shown.text, once a line is broken
    bool broken = false;
    LineEnds lineEnds(source);
    for (std::size_t begin = 0; begin <= source.size();) {
        const std::size_t end = lineEnds.From(begin);
        if (end - begin > maxLine) {
            if (!broken) {
                shown.text.reserve(source.size() + source.size() / maxLine + 1);
                broken = true;
            }
            shown.text.append(source.substr(copied, begin - copied));
            const std::string_view whole = source.substr(begin, end - begin);
            for (std::size_t at = 0; whole.size() - at > maxLine;) {
                const std::size_t pieceEnd = PieceEnd(whole, at, maxLine);
                shown.text.append(whole.substr(at, pieceEnd - at));
                shown.text += '\n';
                shown.continued.push_back(++line);
                shown.breaks.push_back(static_cast<std::uint32_t>(begin + pieceEnd));
                copied = begin + pieceEnd;
                at = pieceEnd;
            }
        }
        if (end == source.size()) {
            break;
        }
        const bool crLf = source[end] == '\r' && end + 1 < source.size() && source[end + 1] == '\n';
        begin = end + (crLf ? 2 : 1);
        ++line;
    }
    if (!broken) {
        shown.text = std::move(text);
        return shown;
    }
    shown.text.append(source.substr(copied));
    return shown;
}

std::size_t ShownPosition(std::span<const std::uint32_t> breaks, std::size_t position) {
    return position +
           static_cast<std::size_t>(std::upper_bound(breaks.begin(), breaks.end(), position) -
                                    breaks.begin());
}

std::size_t SourcePosition(std::span<const std::uint32_t> breaks, std::size_t shownPosition) {
    // The i-th break is shown at breaks[i] + i; count those before the position.
    std::size_t low = 0;
    std::size_t high = breaks.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (breaks[middle] + middle < shownPosition) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return shownPosition - low;
}

}  // namespace quorvane

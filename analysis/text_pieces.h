#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quorvane {

// A large text handed on in pieces, in order, so that it is never held whole: a writer
// takes each piece, and a producer hands every piece of its text to the writer it is
// given.
using PieceWriter = std::function<void(std::string_view piece)>;
using TextProducer = std::function<void(const PieceWriter& write)>;

// About how large a piece is: little beside a large page, and large enough that writing
// one costs few calls of the system (each is dear in a virtual machine).
inline constexpr std::size_t kTextPieceSize = 256 * 1024;

// A text that is already whole, as a producer of one piece.
inline TextProducer WholeText(std::string_view text) {
    return [text](const PieceWriter& write) { write(text); };
}

// A text made a bit at a time onto Text(), handed to write whenever it has reached a
// piece's size, and the rest on Finish.
class PieceCollector {
  public:
    explicit PieceCollector(const PieceWriter& write) : write_(write) {
        text_.reserve(2 * kTextPieceSize);
    }

    std::string& Text() { return text_; }
    // How many bytes went out before Text().
    std::size_t HandedOut() const { return handedOut_; }

    void HandOutIfFull() {
        if (text_.size() >= kTextPieceSize) {
            HandOut();
        }
    }
    void Finish() {
        if (!text_.empty()) {
            HandOut();
        }
    }

  private:
    void HandOut() {
        write_(text_);
        handedOut_ += text_.size();
        text_.clear();
    }

    const PieceWriter& write_;
    std::string text_;
    std::size_t handedOut_ = 0;
};

}  // namespace quorvane

#pragma once

#include <cstddef>
#include <string>

#include "engine/request_events.h"

namespace quorvane {

// A header line of any length is kept to kMaxLineBytes, and the page's header lines to
// kMaxPageBytes, as a page may send a header of megabytes or many thousands of them.
class HeaderBounds {
  public:
    static constexpr std::size_t kMaxLineBytes = 8 * 1024;
    static constexpr std::size_t kMaxPageBytes = std::size_t{256} << 20;
    // What ends a value that was cut, after its first kMaxLineBytes.
    static constexpr const char* kCutMark = " [cut]";

    explicit HeaderBounds(std::size_t maxPageBytes = kMaxPageBytes) : maxPageBytes_(maxPageBytes) {}

    // Cuts each value too long, counts the lines against the page's bytes, and drops the
    // lines past them; true when anything was cut or dropped.
    bool Keep(HttpHeaders& headers);
    // The page's bytes are spent: later lines are dropped.
    bool Spent() const { return spent_; }
    std::size_t Bytes() const { return bytes_; }

  private:
    std::size_t maxPageBytes_;
    std::size_t bytes_ = 0;
    bool spent_ = false;
};

}  // namespace quorvane

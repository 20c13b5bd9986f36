#pragma once

#include <chrono>

namespace quorvane {

// How long work done on the window's thread a slice at a time (reading data: pictures,
// writing them, removing a page's kept files) runs before the window gets its turn again:
// short enough that typing and drawing never wait noticeably.
inline constexpr std::chrono::milliseconds kWindowSlice{8};

}  // namespace quorvane

#pragma once

#include <cstddef>

namespace quorvane {

// What a hostile page may cost: the bounds of the analysis lists and of the two generated
// pages, which the static_asserts below hold to what the comments reason.

// Lists hold at most this many entries: their counts are 16-bit.
inline constexpr std::size_t kMaxListEntries = 32767;

// The four lists together hold at most this many bytes of addresses and file names.
// Every entry is there to be shown: the Images page shows an image's address three
// times within its 64 MB, and the Source Code page puts an address in for every name
// it links, within 8 times the escaped text plus 16 MB, which stays below this bound
// for any page of up to 14 MB of escaped text. So the entries past it could never all
// be shown. Ordinary pages stay far below it (32 767 images with 2 KB addresses take
// 64 MB); only a huge page address times many relative images comes near it, such as
// a 100 KB address with 32 767 images, which would fill the lists with 3.2 GB.
inline constexpr std::size_t kMaxListBytes = 128 * 1024 * 1024;

// The Images view's page holds at most this many bytes. An image takes its address
// three times and some 50 bytes of markup, so a page with ten thousand images of
// 200-character addresses needs about 6.5 MB. Only a huge page address times many
// images comes near it (a 100 KB address with 1000 relative images would need 300 MB),
// and the engine would need a gigabyte or more to show that page.
inline constexpr std::size_t kMaxImagePageSize = 64 * 1024 * 1024;

// The Source Code page may grow to this many times the escaped text, plus the
// headroom. On real pages each image file name occurs a few times and each anchor
// adds one address, so the linked page stays within a small multiple of the escaped
// text (the benchmark's 10 MB page with 20,000 names grows by 12%), and the headroom
// lets a small page link long addresses. Only pages built to multiply the text come
// near it: a name that is part of an earlier one is linked again inside each anchor of
// the earlier name, which holds it twice, so every further name of that kind can
// double the text, and the engine would need gigabytes to show the page.
inline constexpr std::size_t kSourcePageGrowth = 8;
inline constexpr std::size_t kSourcePageHeadroom = 16 * 1024 * 1024;

// An address goes into the Images page three times, so the lists never hold more
// addresses than the page could show.
static_assert(kMaxImagePageSize / 3 <= kMaxListBytes);
// The Source Code page of a page of up to 14 MB of escaped text is no larger than the
// lists may be.
static_assert(kSourcePageGrowth * 14 * 1024 * 1024 + kSourcePageHeadroom <= kMaxListBytes);
// Ordinary pages stay far below the bound: the most images, with 2 KB addresses each.
static_assert(kMaxListEntries * 2 * 1024 <= kMaxListBytes / 2);

// A page's document text (as served, or as the page is now) is shown up to this many bytes;
// past it, the first this many and a line that says so. The reformatted text is held to the
// same size.
inline constexpr std::size_t kMaxServedSourceBytes = std::size_t{64} << 20;

}  // namespace quorvane

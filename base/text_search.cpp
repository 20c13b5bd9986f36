#include "base/text_search.h"

#include <cstring>
#include <functional>

namespace quorvane {

namespace {

bool EqualNoCase(const char* a, const char* b, std::size_t length) {
    return EqualsNoCase(std::string_view(a, length), std::string_view(b, length));
}

using Finder = std::size_t (*)(std::string_view, std::string_view, std::size_t);

std::string ReplaceAll(std::string_view text, std::string_view needle, std::string_view replacement,
                       Finder find) {
    std::string result;
    if (needle.empty()) {
        return std::string(text);
    }
    std::size_t done = 0;
    for (std::size_t at = find(text, needle, 0); at != std::string_view::npos;
         at = find(text, needle, done)) {
        if (result.empty()) {
            result.reserve(text.size() + replacement.size());
        }
        result.append(text.substr(done, at - done));
        result.append(replacement);
        done = at + needle.size();
    }
    result.append(text.substr(done));
    return result;
}

}  // namespace

// A short needle is looked for the way string_view does: memchr finds each copy of its
// first byte and the rest is compared there, which passes over most of a page at once.
// That costs up to the needle's length per byte, so a long needle (a name from a page)
// takes memmem's search, linear whatever the text.
std::size_t FindExact(std::string_view text, std::string_view needle, std::size_t from) {
    constexpr std::size_t kShortNeedle = 8;
    if (from > text.size()) {
        return std::string_view::npos;
    }
    if (needle.empty()) {
        return from;
    }
    if (needle.size() <= kShortNeedle) {
        return text.find(needle, from);
    }
    const void* found =
        ::memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return found == nullptr ? std::string_view::npos
                            : static_cast<const char*>(found) - text.data();
}

namespace {

// A needle of letters alone: each letter has two cases, so every start is compared.
std::size_t FindLettersNoCase(std::string_view text, std::string_view needle, std::size_t from,
                              std::size_t last) {
    const char lower = LowerAscii(needle[0]);
    const char upper = UpperAscii(lower);
    for (std::size_t at = from; at <= last; ++at) {
        if ((text[at] == lower || text[at] == upper) &&
            EqualNoCase(text.data() + at + 1, needle.data() + 1, needle.size() - 1)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// The needle's byte k has one case: memchr finds it, and only the bytes around it are
// compared.
std::size_t FindAroundByteNoCase(std::string_view text, std::string_view needle, std::size_t k,
                                 std::size_t from, std::size_t last) {
    const std::size_t after = k + 1;
    for (std::size_t at = from; at <= last;) {
        const void* found = ::memchr(text.data() + at + k, needle[k], last - at + 1);
        if (found == nullptr) {
            break;
        }
        at = static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) - k;
        if (EqualNoCase(text.data() + at, needle.data(), k) &&
            EqualNoCase(text.data() + at + after, needle.data() + after, needle.size() - after)) {
            return at;
        }
        ++at;
    }
    return std::string_view::npos;
}

}  // namespace

// A byte without a second case is looked for with memchr, which skips most of a page
// at once; only a needle of letters alone is compared at every position.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    if (needle.empty()) {
        return from;
    }
    if (text.size() - from < needle.size()) {
        return std::string_view::npos;
    }
    const std::size_t last = text.size() - needle.size();  // the last start that fits
    std::size_t k = 0;
    while (k < needle.size() && IsAsciiLetter(needle[k])) {
        ++k;
    }
    return k == needle.size() ? FindLettersNoCase(text, needle, from, last)
                              : FindAroundByteNoCase(text, needle, k, from, last);
}

bool ContainsNoCase(std::string_view text, std::string_view needle) {
    return FindNoCase(text, needle) != std::string_view::npos;
}

std::string ReplaceAllExact(std::string_view text, std::string_view needle,
                            std::string_view replacement) {
    return ReplaceAll(text, needle, replacement, &FindExact);
}

std::string ReplaceAllNoCase(std::string_view text, std::string_view needle,
                             std::string_view replacement) {
    return ReplaceAll(text, needle, replacement, &FindNoCase);
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace quorvane

#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// The only scheme the address rules of the analysis cut and put back, and the one an
// address typed without any is given.
inline constexpr std::string_view kHttpScheme = "http://";

// The schemes the program tells apart; every other one is Other.
enum class Scheme { None, Http, Https, File, Data, Other };

// The scheme an address begins with. Only the start of the address counts: a scheme
// written further on (a query holding "http://") is text like any other. A scheme is a
// letter, then letters, digits, "+", "-" or ".", then ":"; a colon followed by a digit
// ends a host and its port ("localhost:8080"), not a scheme.
struct LeadingScheme {
    Scheme scheme = Scheme::None;
    std::size_t length = 0;  // of "name:", and of the "//" right after it when there is one
    bool slashes = false;    // the colon is followed by "//"
};
LeadingScheme LeadingSchemeOf(std::string_view address);

// The length of a leading "name://" ("https://", "file://"), or 0 without one.
std::size_t SchemePrefixLength(std::string_view address);

// The address begins with "http://" (any letter case).
bool IsHttpAddress(std::string_view address);

// The address begins with "http://" or "https://" (any letter case).
bool IsWebAddress(std::string_view address);

// The page at this address is a local file.
bool IsLocalPage(std::string_view pageAddress);

// Whether the program opens target when a page names it (a link of the Original Source
// view, a row of the Image List): a web address, and a file address when the page is a
// local file itself. Never a script ("javascript:"), a local file from a web page, or
// anything else a page could use to reach past the web.
bool OpensFromPage(std::string_view target, std::string_view pageAddress);

// Whether an address found on a page names its resource by itself and so stands as
// written: a web address, a "data:" picture, and a "file:" address when the page is a
// local file itself. Every other value, whatever scheme it carries ("javascript:",
// "about:", "file:" on a web page), is resolved as a relative one, which keeps it
// harmless: it becomes an address on the page's own site.
bool StandsAsWritten(std::string_view address, bool onLocalPage);

}  // namespace quorvane

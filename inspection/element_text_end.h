#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Where the text of an element that holds text rather than markup ends, as the HTML
// standard's tokenizer reads it: the position of the "<" of its end tag, or the text's end
// when it has none. An end tag is "</", the element's name in any case, then white
// space, "/" or ">"; "</title" at the very end of the text is still title text.

// For RCDATA (title, textarea) and RAWTEXT (style, xmp, iframe, ...) elements: the first
// end tag of name from pos on.
std::size_t RawTextEnd(std::string_view text, std::size_t pos, std::string_view name);

// For a script: the script data states, with their escaped and double-escaped forms. Old
// pages hide a script in "<!-- ... -->", and there a "<script>" (such as one a
// document.write string holds) makes the next "</script>" part of the text, until "-->".
std::size_t ScriptDataEnd(std::string_view text, std::size_t pos);

}  // namespace quorvane

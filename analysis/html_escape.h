#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Everything cut from a page is escaped before it goes into a generated page, so that
// no markup of the page can become live there. Text without the escaped characters
// comes back unchanged, and "&" is never touched: the engine already writes "&amp;"
// inside attribute values, and a second escape would show it.

// Text between tags: "<" becomes "&lt;".
std::string EscapeInsertedText(std::string_view text);

// A value inside a single-quoted attribute: "'" and "<" become references. A ">" ends
// nothing inside the quotes and stays, so an ordinary address is written as found.
std::string EscapeInsertedAttribute(std::string_view value);

// An address in an anchor of the source view. A later linking pass may wrap a name
// found inside this address in an anchor of its own, whose quote then ends the
// attribute early and leaves the rest of the address between the attributes of the
// tag; "=" is escaped as well there, so that no part of it can become an attribute
// with a value (an event handler, say).
std::string EscapeLinkedAddress(std::string_view address);

// The same escapes appended to out: a generated page of thousands of entries is
// written without a string per escaped part.
void AppendInsertedText(std::string& out, std::string_view text);
void AppendInsertedAttribute(std::string& out, std::string_view value);
void AppendLinkedAddress(std::string& out, std::string_view address);

// How long the same escapes make a text, without making it.
std::size_t InsertedTextSize(std::string_view text);
std::size_t LinkedAddressSize(std::string_view address);

}  // namespace quorvane

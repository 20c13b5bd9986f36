#pragma once

#include <string>

namespace quorvane {

// What a browser element loads for the address it is given: an absolute local path
// becomes a file URL, and an address typed without a scheme ("example.com",
// "localhost:8080/page") is read as a web address, as browsers read what users type.
// An address that carries a scheme is loaded unchanged.
std::string AddressToLoad(const std::string& addressOrPath);

// The address the user typed or pasted, without the blanks and line breaks around it
// that a paste often brings.
std::string TypedAddress(const std::string& typed);

}  // namespace quorvane

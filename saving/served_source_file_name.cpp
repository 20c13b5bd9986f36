#include "saving/served_source_file_name.h"

#include <glib.h>

#include <memory>

#include "base/ascii.h"

namespace quorvane {
namespace {

// The address's path: after the scheme and host, before the query and fragment.
std::string_view PathOf(std::string_view address) {
    address = address.substr(0, address.find_first_of("?#"));
    const std::size_t scheme = address.find("://");
    if (scheme == std::string_view::npos) {
        return address;
    }
    const std::size_t pathBegin = address.find('/', scheme + 3);
    return pathBegin == std::string_view::npos ? std::string_view{} : address.substr(pathBegin);
}

std::string PercentDecoded(std::string_view segment) {
    const std::string copy(segment);
    std::unique_ptr<char, decltype(&g_free)> decoded(g_uri_unescape_string(copy.c_str(), "/"),
                                                     g_free);
    return decoded ? std::string(decoded.get()) : copy;
}

}  // namespace

std::string ServedSourceFileName(std::string_view address, std::string_view mimeType) {
    const std::string_view path = PathOf(address);
    std::string name = PercentDecoded(path.substr(path.find_last_of('/') + 1));
    const bool html = EqualsNoCase(mimeType, "text/html");
    if (name.empty()) {
        return html || mimeType.empty() ? "index.html" : "index";
    }
    if (html && name.find('.') == std::string::npos) {
        name += ".html";
    }
    return name;
}

}  // namespace quorvane

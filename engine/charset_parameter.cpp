#include "engine/charset_parameter.h"

#include "base/ascii.h"

namespace quorvane {
namespace {

constexpr std::string_view kCharset = "charset";

// Where the first "charset" in any letter case begins in contentType.
std::size_t CharsetAt(std::string_view contentType) {
    for (std::size_t at = 0; at + kCharset.size() <= contentType.size(); ++at) {
        if (EqualsNoCase(contentType.substr(at, kCharset.size()), kCharset)) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::optional<std::string> CharsetParameter(std::string_view contentType) {
    const std::size_t at = CharsetAt(contentType);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = TrimmedAsciiWhitespace(contentType.substr(at + kCharset.size()));
    if (!rest.starts_with('=')) {
        return std::nullopt;
    }
    rest = TrimmedAsciiWhitespace(rest.substr(1));
    if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
        const char quote = rest.front();
        rest.remove_prefix(1);
        rest = rest.substr(0, rest.find(quote));
    } else {
        rest = rest.substr(0, rest.find_first_of("; \t"));
    }
    rest = TrimmedAsciiWhitespace(rest);
    return rest.empty() ? std::nullopt : std::optional<std::string>(rest);
}

}  // namespace quorvane

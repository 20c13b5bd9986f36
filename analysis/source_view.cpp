#include "analysis/source_view.h"

#include <cstdint>
#include <cstring>

#include "analysis/saturating_size.h"

namespace quorvane {

std::size_t MaxSourcePageSize(std::size_t escapedSize) {
    return SaturatingAdd(SaturatingMultiply(escapedSize, kSourcePageGrowth), kSourcePageHeadroom);
}

namespace {

// Eight bytes at a time: most of a page has no byte to escape, and a block without one
// is copied whole. A byte of a block is marked when it is one to escape.
constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighs = 0x8080808080808080;

constexpr std::uint64_t Marked(std::uint64_t block, char c) {
    const std::uint64_t x = block ^ (kOnes * static_cast<unsigned char>(c));
    return (x - kOnes) & ~x & kHighs;
}

constexpr std::uint64_t EscapedBytes(std::uint64_t block) {
    return Marked(block, '<') | Marked(block, '\r') | Marked(block, '\n');
}

constexpr bool IsEscaped(char c) {
    return c == '<' || c == '\r' || c == '\n';
}

std::size_t EscapedSize(std::string_view body) {
    std::size_t escaped = 0;
    for (const char c : body) {
        escaped += IsEscaped(c) ? 1 : 0;
    }
    return body.size() + 3 * escaped;
}

char* EscapeByte(char c, char* out) {
    if (!IsEscaped(c)) {
        *out = c;
        return out + 1;
    }
    std::memcpy(out, c == '<' ? "&lt;" : "<BR>", 4);
    return out + 4;
}

}  // namespace

std::string EscapeSourceText(std::string_view body) {
    std::string text(EscapedSize(body), '\0');
    char* out = text.data();
    std::size_t at = 0;
    for (; at + 8 <= body.size(); at += 8) {
        std::uint64_t block;
        std::memcpy(&block, body.data() + at, 8);
        if (EscapedBytes(block) == 0) {
            std::memcpy(out, &block, 8);
            out += 8;
            continue;
        }
        for (std::size_t k = 0; k < 8; ++k) {
            out = EscapeByte(body[at + k], out);
        }
    }
    for (; at < body.size(); ++at) {
        out = EscapeByte(body[at], out);
    }
    return text;
}

std::vector<LinkPass> LinkPasses(const AnalysisLists& lists) {
    std::vector<LinkPass> passes;
    for (const FoundImages* found : {&lists.imageLinks, &lists.imageTags}) {
        const std::vector<std::string>& names = found->fileNames;
        const std::vector<std::string>& links = found->addresses;
        for (std::size_t i = 0; i < names.size() && i < links.size(); ++i) {
            if (!names[i].empty()) {
                passes.push_back({names[i], links[i]});
            }
        }
    }
    return passes;
}

SourceView SourceViewText(std::string_view body, const AnalysisLists& lists) {
    std::string escaped = EscapeSourceText(body);
    const std::vector<LinkPass> passes = LinkPasses(lists);
    const std::size_t maxSize = MaxSourcePageSize(escaped.size());
    LinkedText linked = LinkFileNames(std::move(escaped), passes, maxSize);
    return {std::move(linked.text), linked.passesRun, passes.size()};
}

}  // namespace quorvane

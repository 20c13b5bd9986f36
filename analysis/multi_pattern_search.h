#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Finds every occurrence of many byte patterns in one pass over a text (an
// Aho-Corasick automaton), overlapping occurrences included.
class MultiPatternSearch {
  public:
    // patterns must not be empty strings.
    explicit MultiPatternSearch(const std::vector<std::string_view>& patterns);

    // Calls found(pattern index, start position) for every occurrence, in order of
    // the position where the occurrence ends, while found returns true; false when it
    // stopped the search.
    template <typename Found>
    bool ForEachMatch(std::string_view text, Found&& found) const {
        std::int32_t node = 0;
        for (std::size_t i = NextEnd(text, 0, node); i < text.size();
             i = NextEnd(text, i + 1, node)) {
            for (std::int32_t out = nodes_[node].output; out >= 0; out = nextOutput_[out]) {
                if (!found(static_cast<std::size_t>(out), i + 1 - lengths_[out])) {
                    return false;
                }
            }
        }
        return true;
    }

  private:
    struct Trie;
    void TakeTrie(const Trie& trie);
    void LinkFailures();
    std::int32_t Child(std::int32_t node, unsigned char byte) const;
    std::int32_t Step(std::int32_t node, unsigned char byte) const;
    // Moves node over text from the position from on, up to the first position where
    // an occurrence ends, which it returns (text.size() when none is left).
    std::size_t NextEnd(std::string_view text, std::size_t from, std::int32_t& node) const;
    std::size_t SkipToStart(const unsigned char* bytes, std::size_t at, std::size_t size) const;
    std::size_t SkipToOnlyStart(const unsigned char* bytes, std::size_t at, std::size_t size) const;

    // Nodes are numbered breadth first, so that a node's children have consecutive
    // numbers and every node comes after the nodes on its failure chain. A step deep in
    // the trie reads one node and its children, so each node is one record of 16 bytes.
    struct Node {
        std::int32_t firstChild = 0;  // children follow, sorted by byte
        std::int32_t fail = 0;
        std::int32_t output = -1;  // the first pattern ending here, or -1
        std::uint16_t childCount = 0;
        unsigned char byte = 0;  // the byte leading to it
    };
    std::vector<Node> nodes_;
    std::vector<std::int32_t> nextOutput_;  // per pattern: the next pattern ending there
    std::vector<std::size_t> lengths_;
    // The first denseNodes_ nodes, where a search spends nearly all its steps, have
    // every move (failures included) in a row of 256 entries.
    std::int32_t denseNodes_ = 0;
    std::vector<std::int32_t> rows_;
    // Whether a byte begins a pattern: from the root, any other byte leads back there.
    std::vector<unsigned char> starts_ = std::vector<unsigned char>(256);
    int onlyStart_ = -1;  // the byte every pattern begins with, if there is one
    // One bit per pair of bytes: whether an occurrence can begin with them, which rules
    // out most bytes that begin a pattern in plain text too.
    std::vector<std::uint64_t> pairStarts_ = std::vector<std::uint64_t>(65536 / 64);
    void MarkPairStarts();
    bool PairStarts(unsigned char first, unsigned char second) const {
        const std::size_t pair = std::size_t{first} << 8 | second;
        return (pairStarts_[pair / 64] >> (pair % 64) & 1) != 0;
    }
};

}  // namespace quorvane

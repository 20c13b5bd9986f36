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
    explicit MultiPatternSearch(const std::vector<std::string>& patterns);

    // Calls found(pattern index, start position) for every occurrence, in order of
    // the position where the occurrence ends.
    template <typename Found>
    void ForEachMatch(std::string_view text, Found&& found) const {
        std::int32_t node = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            node = Step(node, static_cast<unsigned char>(text[i]));
            for (std::int32_t out = output_[node]; out >= 0; out = nextOutput_[out]) {
                found(static_cast<std::size_t>(out), i + 1 - lengths_[out]);
            }
        }
    }

  private:
    void AddPattern(const std::string& pattern, std::int32_t index);
    std::int32_t AddChild(std::int32_t node, unsigned char byte);
    void LinkFailures();
    std::int32_t Child(std::int32_t node, unsigned char byte) const;
    std::int32_t Step(std::int32_t node, unsigned char byte) const;

    struct Edge {
        unsigned char byte;
        std::int32_t child;
    };
    std::vector<std::vector<Edge>> edges_;  // per node, sorted by byte
    std::vector<std::int32_t> rootChild_;   // 256 entries: the root's moves, -1 none
    std::vector<std::int32_t> fail_;
    std::vector<std::int32_t> output_;      // per node: first pattern ending here, or -1
    std::vector<std::int32_t> nextOutput_;  // per pattern: the next pattern ending there
    std::vector<std::size_t> lengths_;
};

}  // namespace quorvane

#include "analysis/multi_pattern_search.h"

#include <algorithm>
#include <deque>

namespace quorvane {

MultiPatternSearch::MultiPatternSearch(const std::vector<std::string>& patterns)
    : edges_(1),
      rootChild_(256, -1),
      fail_(1, 0),
      output_(1, -1),
      nextOutput_(patterns.size(), -1),
      lengths_(patterns.size()) {
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        AddPattern(patterns[p], static_cast<std::int32_t>(p));
    }
    LinkFailures();
}

void MultiPatternSearch::AddPattern(const std::string& pattern, std::int32_t index) {
    std::int32_t node = 0;
    for (const char c : pattern) {
        const auto byte = static_cast<unsigned char>(c);
        const std::int32_t child = Child(node, byte);
        node = child >= 0 ? child : AddChild(node, byte);
    }
    lengths_[index] = pattern.size();
    nextOutput_[index] = output_[node];
    output_[node] = index;
}

std::int32_t MultiPatternSearch::AddChild(std::int32_t node, unsigned char byte) {
    const auto child = static_cast<std::int32_t>(edges_.size());
    auto& list = edges_[node];
    list.insert(std::lower_bound(list.begin(), list.end(), byte,
                                 [](const Edge& e, unsigned char b) { return e.byte < b; }),
                Edge{byte, child});
    edges_.emplace_back();
    fail_.push_back(0);
    output_.push_back(-1);
    if (node == 0) {
        rootChild_[byte] = child;
    }
    return child;
}

// Breadth first, so that a node's failure target is finished before the node.
// Outputs are chained: a node's list ends in its failure target's list.
void MultiPatternSearch::LinkFailures() {
    std::deque<std::int32_t> queue;
    for (const Edge& edge : edges_[0]) {
        queue.push_back(edge.child);
    }
    while (!queue.empty()) {
        const std::int32_t node = queue.front();
        queue.pop_front();
        std::int32_t last = output_[node];
        while (last >= 0 && nextOutput_[last] >= 0) {
            last = nextOutput_[last];
        }
        if (last >= 0) {
            nextOutput_[last] = output_[fail_[node]];
        } else {
            output_[node] = output_[fail_[node]];
        }
        for (const Edge& edge : edges_[node]) {
            fail_[edge.child] = node == 0 ? 0 : Step(fail_[node], edge.byte);
            queue.push_back(edge.child);
        }
    }
}

std::int32_t MultiPatternSearch::Child(std::int32_t node, unsigned char byte) const {
    if (node == 0) {
        return rootChild_[byte];
    }
    const auto& list = edges_[node];
    const auto it = std::lower_bound(list.begin(), list.end(), byte,
                                     [](const Edge& e, unsigned char b) { return e.byte < b; });
    return (it != list.end() && it->byte == byte) ? it->child : -1;
}

std::int32_t MultiPatternSearch::Step(std::int32_t node, unsigned char byte) const {
    for (;;) {
        const std::int32_t child = Child(node, byte);
        if (child >= 0) {
            return child;
        }
        if (node == 0) {
            return 0;
        }
        node = fail_[node];
    }
}

}  // namespace quorvane

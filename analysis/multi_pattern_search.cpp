#include "analysis/multi_pattern_search.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace quorvane {

namespace {

// Rows of 256 moves for the nodes nearest the root, where a pass over a page spends
// nearly all its steps: 256 KB at most, so that building them stays cheap beside the
// pass over a page of a megabyte.
constexpr std::size_t kMostDenseNodes = 256;

}  // namespace

// The trie as it is first built, in the order the patterns add its nodes. Patterns are
// added in sorted order, so a node's children are added in the order of their bytes and
// each pattern shares its path with the one before as far as their common beginning.
struct MultiPatternSearch::Trie {
    std::vector<unsigned char> byte{0};
    std::vector<std::int32_t> firstChild{-1};
    std::vector<std::int32_t> lastChild{-1};
    std::vector<std::int32_t> nextSibling{-1};
    std::vector<std::int32_t> output{-1};

    std::int32_t AddChild(std::int32_t node, unsigned char b) {
        const auto child = static_cast<std::int32_t>(byte.size());
        byte.push_back(b);
        firstChild.push_back(-1);
        lastChild.push_back(-1);
        nextSibling.push_back(-1);
        output.push_back(-1);
        (lastChild[node] < 0 ? firstChild[node] : nextSibling[lastChild[node]]) = child;
        lastChild[node] = child;
        return child;
    }
};

MultiPatternSearch::MultiPatternSearch(const std::vector<std::string_view>& patterns)
    : nextOutput_(patterns.size(), -1), lengths_(patterns.size()) {
    std::vector<std::size_t> order(patterns.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto byPattern = [&](std::size_t a, std::size_t b) { return patterns[a] < patterns[b]; };
    if (!std::is_sorted(order.begin(), order.end(), byPattern)) {
        std::stable_sort(order.begin(), order.end(), byPattern);
    }
    Trie trie;
    std::vector<std::int32_t> path{0};  // the nodes of the pattern added last, by depth
    const std::string_view* previous = nullptr;
    for (const std::size_t p : order) {
        const std::string_view& pattern = patterns[p];
        std::size_t common = 0;
        if (previous != nullptr) {
            const auto [mismatch, unused] =
                std::mismatch(pattern.begin(), pattern.end(), previous->begin(), previous->end());
            common = static_cast<std::size_t>(mismatch - pattern.begin());
        }
        path.resize(common + 1);
        for (std::size_t d = common; d < pattern.size(); ++d) {
            path.push_back(trie.AddChild(path.back(), static_cast<unsigned char>(pattern[d])));
        }
        lengths_[p] = pattern.size();
        nextOutput_[p] = trie.output[path.back()];
        trie.output[path.back()] = static_cast<std::int32_t>(p);
        previous = &pattern;
    }
    TakeTrie(trie);
    LinkFailures();
    MarkPairStarts();
    if (nodes_[0].childCount == 1) {
        onlyStart_ = nodes_[nodes_[0].firstChild].byte;
    }
}

// A pattern of one byte begins an occurrence whatever follows it.
void MultiPatternSearch::MarkPairStarts() {
    const Node& root = nodes_[0];
    for (std::int32_t first = root.firstChild; first < root.firstChild + root.childCount; ++first) {
        const Node& firstNode = nodes_[first];
        const std::size_t row = std::size_t{firstNode.byte} << 8;
        if (firstNode.output >= 0) {
            std::fill_n(pairStarts_.begin() + static_cast<std::ptrdiff_t>(row / 64), 256 / 64,
                        ~std::uint64_t{0});
        }
        for (std::int32_t second = firstNode.firstChild;
             second < firstNode.firstChild + firstNode.childCount; ++second) {
            const std::size_t pair = row | nodes_[second].byte;
            pairStarts_[pair / 64] |= std::uint64_t{1} << (pair % 64);
        }
    }
}

// Renumbers the nodes breadth first, the children of each in the order of their bytes.
void MultiPatternSearch::TakeTrie(const Trie& trie) {
    const std::size_t nodes = trie.byte.size();
    std::vector<std::int32_t> order{0};
    order.reserve(nodes);
    nodes_.resize(nodes);
    for (std::size_t next = 0; next < order.size(); ++next) {
        const std::int32_t old = order[next];
        Node& node = nodes_[next];
        node.byte = trie.byte[old];
        node.output = trie.output[old];
        node.firstChild = static_cast<std::int32_t>(order.size());
        for (std::int32_t child = trie.firstChild[old]; child >= 0;
             child = trie.nextSibling[child]) {
            order.push_back(child);
        }
        node.childCount = static_cast<std::uint16_t>(order.size() - node.firstChild);
    }
}

// In node order, which is breadth first: a node's failure target and every node on its
// chain come before it, with their outputs and rows finished. Outputs are chained: a
// node's list ends in its failure target's list.
void MultiPatternSearch::LinkFailures() {
    const std::size_t nodes = nodes_.size();
    denseNodes_ = static_cast<std::int32_t>(std::min(nodes, kMostDenseNodes));
    rows_.resize(static_cast<std::size_t>(denseNodes_) * 256);
    for (std::int32_t node = 0; node < static_cast<std::int32_t>(nodes); ++node) {
        Node& current = nodes_[node];
        const std::int32_t firstChild = current.firstChild;
        const std::int32_t endChild = firstChild + current.childCount;
        if (node > 0) {
            std::int32_t last = current.output;
            while (last >= 0 && nextOutput_[last] >= 0) {
                last = nextOutput_[last];
            }
            (last >= 0 ? nextOutput_[last] : current.output) = nodes_[current.fail].output;
        }
        if (node < denseNodes_) {
            std::int32_t* row = &rows_[static_cast<std::size_t>(node) * 256];
            if (node == 0) {
                std::fill(row, row + 256, 0);
            } else {
                std::copy_n(&rows_[static_cast<std::size_t>(current.fail) * 256], 256, row);
            }
            for (std::int32_t c = firstChild; c < endChild; ++c) {
                row[nodes_[c].byte] = c;
                starts_[nodes_[c].byte] = node == 0 ? 1 : starts_[nodes_[c].byte];
            }
        }
        for (std::int32_t c = firstChild; c < endChild; ++c) {
            nodes_[c].fail = node == 0 ? 0 : Step(current.fail, nodes_[c].byte);
        }
    }
}

std::int32_t MultiPatternSearch::Child(std::int32_t node, unsigned char byte) const {
    const auto first = nodes_.begin() + nodes_[node].firstChild;
    const auto last = first + nodes_[node].childCount;
    const auto it = std::lower_bound(
        first, last, byte, [](const Node& child, unsigned char b) { return child.byte < b; });
    return (it != last && it->byte == byte) ? static_cast<std::int32_t>(it - nodes_.begin()) : -1;
}

std::int32_t MultiPatternSearch::Step(std::int32_t node, unsigned char byte) const {
    for (;;) {
        if (node < denseNodes_) {
            return rows_[static_cast<std::size_t>(node) * 256 + byte];
        }
        const std::int32_t child = Child(node, byte);
        if (child >= 0) {
            return child;
        }
        node = nodes_[node].fail;
    }
}

// Most of a page is text where no pattern begins: there the search runs from the root
// and only looks for the next byte that begins one, eight bytes at a time, and that
// begins one with the byte after it.
std::size_t MultiPatternSearch::SkipToStart(const unsigned char* bytes, std::size_t at,
                                            std::size_t size) const {
    if (onlyStart_ >= 0) {
        return SkipToOnlyStart(bytes, at, size);
    }
    const unsigned char* starts = starts_.data();
    for (;; ++at) {
        for (; at + 8 <= size; at += 8) {
            if ((starts[bytes[at]] | starts[bytes[at + 1]] | starts[bytes[at + 2]] |
                 starts[bytes[at + 3]] | starts[bytes[at + 4]] | starts[bytes[at + 5]] |
                 starts[bytes[at + 6]] | starts[bytes[at + 7]]) != 0) {
                break;
            }
        }
        while (at < size && starts[bytes[at]] == 0) {
            ++at;
        }
        if (at + 1 >= size || PairStarts(bytes[at], bytes[at + 1])) {
            return at;
        }
    }
}

// Patterns that all begin with one byte, such as the endings of file names, are found by
// looking for that byte alone, which memchr does many bytes at a time.
std::size_t MultiPatternSearch::SkipToOnlyStart(const unsigned char* bytes, std::size_t at,
                                                std::size_t size) const {
    for (; at < size; ++at) {
        const void* found = std::memchr(bytes + at, onlyStart_, size - at);
        if (found == nullptr) {
            return size;
        }
        at = static_cast<std::size_t>(static_cast<const unsigned char*>(found) - bytes);
        if (at + 1 >= size || PairStarts(bytes[at], bytes[at + 1])) {
            return at;
        }
    }
    return size;
}

std::size_t MultiPatternSearch::NextEnd(std::string_view text, std::size_t from,
                                        std::int32_t& node) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    const std::int32_t* const rows = rows_.data();
    const Node* const nodes = nodes_.data();
    const std::int32_t dense = denseNodes_;
    std::int32_t at = node;
    for (std::size_t i = from; i < size; ++i) {
        if (at == 0) {
            i = SkipToStart(bytes, i, size);
            if (i == size) {
                break;
            }
        }
        at = at < dense ? rows[static_cast<std::size_t>(at) * 256 + bytes[i]] : Step(at, bytes[i]);
        if (nodes[at].output >= 0) {
            node = at;
            return i;
        }
    }
    node = at;
    return size;
}

}  // namespace quorvane

#include "inspection/srcset_candidates.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// "url descriptors" of each candidate, "(dropped)" after one that is no image source.
std::vector<std::string> Shown(std::string_view value) {
    std::vector<std::string> shown;
    for (const SrcsetCandidate& candidate : SrcsetCandidates(value)) {
        shown.push_back(std::string(candidate.Url(value)) +
                        (candidate.descriptors.empty() ? "" : " " + candidate.descriptors) +
                        (candidate.imageSource ? "" : " (dropped)"));
    }
    return shown;
}

// Where the standard's splitting ends a URL, a descriptor and a candidate.
TEST(SrcsetCandidates, CutTheValueWhereTheStandardCutsIt) {
    const struct {
        const char* value;
        std::vector<std::string> shown;
    } rows[] = {
        {"", {}},
        {" ,, ", {}},
        {"a.png", {"a.png"}},
        {"a.png 1x, b.png 2x", {"a.png 1x", "b.png 2x"}},
        {"a.png 1x,b.png 2x", {"a.png 1x", "b.png 2x"}},
        {"a.png 1x ,b.png 2x", {"a.png 1x", "b.png 2x"}},
        {"a.png 1x ,, b.png", {"a.png 1x", "b.png"}},
        // A comma inside a URL ends nothing; commas at its end end the candidate.
        {"a.png,b.png", {"a.png,b.png"}},
        {"a.png, b.png", {"a.png", "b.png"}},
        {"a.png,,, b.png", {"a.png", "b.png"}},
        {",a.png", {"a.png"}},
        {"data:image/gif;base64,R0lGOD 1x", {"data:image/gif;base64,R0lGOD 1x"}},
        {"\ta.png\n100w\f,\rb.png", {"a.png 100w", "b.png"}},
        {"a.png   640w   480h ", {"a.png 640w 480h"}},
        // Parentheses hold commas and spaces, up to the first closing one; one left open
        // runs to the end.
        {"a.png (a, b) 2x, b.png", {"a.png (a, b) 2x (dropped)", "b.png"}},
        {"a.png 2x(a, b), b.png", {"a.png 2x(a, b) (dropped)", "b.png"}},
        {"a.png 1x (", {"a.png 1x ( (dropped)"}},
        {"a.png (1x, b.png 2x", {"a.png (1x, b.png 2x (dropped)"}},
        {"a.png foo, b.png 2x", {"a.png foo (dropped)", "b.png 2x"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Shown(row.value), row.shown) << row.value;
    }
}

// What the descriptor parser reads of "a.png <descriptors>", and which candidates it drops.
TEST(SrcsetCandidates, ReadDescriptorsByTheStandardsRules) {
    const struct {
        const char* descriptors;
        bool imageSource;
        std::optional<std::uint64_t> width;
        std::optional<double> density;
        std::optional<std::uint64_t> height;
    } rows[] = {
        {"", true, {}, {}, {}},
        {"1x", true, {}, 1.0, {}},
        {"1.5x", true, {}, 1.5, {}},
        {".5x", true, {}, 0.5, {}},
        {"0x", true, {}, 0.0, {}},
        {"1e1x", true, {}, 10.0, {}},
        {"25E-1x", true, {}, 2.5, {}},
        {"100w", true, 100, {}, {}},
        {"010w", true, 10, {}, {}},
        {"100w 50h", true, 100, {}, 50},
        {"50h 100w", true, 100, {}, 50},
        // Not numbers as the standard writes them.
        {"-1x", false, {}, {}, {}},
        {"1.x", false, {}, {}, {}},
        {"+1x", false, {}, {}, {}},
        {"1ex", false, {}, {}, {}},
        {"x", false, {}, {}, {}},
        {"1X", false, {}, {}, {}},
        {"1.5w", false, {}, {}, {}},
        {"-5w", false, {}, {}, {}},
        {"1e400x", false, {}, {}, {}},
        {"99999999999999999999999w", false, {}, {}, {}},
        // Zero widths and heights, and descriptors that may not go together.
        {"0w", false, {}, {}, {}},
        {"100w 0h", false, {}, {}, {}},
        {"1x 2x", false, {}, {}, {}},
        {"100w 1x", false, {}, {}, {}},
        {"1x 100w", false, {}, {}, {}},
        {"100w 200w", false, {}, {}, {}},
        {"50h", false, {}, {}, {}},
        {"1x 50h", false, {}, {}, {}},
        {"100w 50h 60h", false, {}, {}, {}},
    };
    for (const auto& row : rows) {
        const std::string value = std::string("a.png ") + row.descriptors;
        const std::vector<SrcsetCandidate> candidates = SrcsetCandidates(value);
        ASSERT_EQ(candidates.size(), 1U) << value;
        EXPECT_EQ(candidates[0].imageSource, row.imageSource) << value;
        EXPECT_EQ(candidates[0].width, row.width) << value;
        EXPECT_EQ(candidates[0].density, row.density) << value;
        EXPECT_EQ(candidates[0].height, row.height) << value;
    }
}

}  // namespace
}  // namespace quorvane

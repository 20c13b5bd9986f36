#include "analysis/file_name_linker.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/pass_by_pass_linker.h"

namespace quorvane {
namespace {

// Names built to be nasty: substrings of each other, of the inserted markup and of the
// addresses, names in both pairs, names that repeat.
const std::vector<std::string> kNames = {
    "a",     "a.gif", "ba.gif", "ref",  "href",       "gif",       "'",    "=",
    "/",     "h/a",   "aa",     "b",    ".gif'",      "x y",       "http", "a.gif",
    "&lt;",  "BR",    "x<a",    ">x",   "a>b",        "<i class=", "'><a", "a<<",
    "<BR>x", "a>>",   "x<a.g",  "/a>x", "<a href='h", "x<a hre",   "'<a h"};
const std::vector<std::string> kTextPieces = {"a",  "b", ".gif", "&lt;", "<BR>", "'", "ref",
                                              "h/", " ", "x",    "aa",   "=",    ">"};
const std::vector<std::string> kAddresses = [] {
    std::vector<std::string> addresses;
    for (const std::string& name : kNames) {
        addresses.push_back("http://h/" + name);
    }
    return addresses;
}();

// What an address may hold before its own name, as a page's addresses do: some hold names.
const std::vector<std::string> kHeads = {"http://h/", "http://h/a.gif/", "h/ref/", "x/"};

// Each pass's address is any of kAddresses, or its own name after a head.
std::vector<LinkPass> RandomPasses(std::mt19937& random, std::vector<std::string>& ownAddresses) {
    std::vector<LinkPass> passes;
    const int count = static_cast<int>(random() % 8);
    ownAddresses.clear();
    ownAddresses.reserve(count);
    for (int i = 0; i < count; ++i) {
        const std::string& name = kNames[random() % kNames.size()];
        if (random() % 2 == 0) {
            passes.push_back({name, kAddresses[random() % kAddresses.size()]});
        } else {
            ownAddresses.push_back(kHeads[random() % kHeads.size()] + name);
            passes.push_back({name, ownAddresses.back()});
        }
    }
    return passes;
}

void ExpectSameLinking(const LinkedText& fast, const LinkedText& reference) {
    EXPECT_EQ(fast.text, reference.text);
    EXPECT_EQ(fast.passesRun, reference.passesRun);
}

// Unbounded, and with a largest size anywhere between the text's own and the size
// after every pass: the same passes run and the same text comes out.
TEST(FileNameLinker, AgreesWithOnePassPerEntryOnNastyCases) {
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            text += kTextPieces[random() % kTextPieces.size()];
        }
        std::vector<std::string> ownAddresses;
        const std::vector<LinkPass> passes = RandomPasses(random, ownAddresses);
        SCOPED_TRACE("round " + std::to_string(round) + ": " + text);
        const LinkedText whole = LinkFileNamesPassByPass(text, passes);
        ExpectSameLinking(LinkFileNames(text, passes, SIZE_MAX), whole);
        const std::size_t maxSize = text.size() + random() % (whole.text.size() - text.size() + 2);
        ExpectSameLinking(LinkFileNames(text, passes, maxSize),
                          LinkFileNamesPassByPass(text, passes, maxSize));
        ASSERT_FALSE(::testing::Test::HasFailure());
    }
}

TEST(FileNameLinker, AgreesOnNamesRepeatedThousandsOfTimes) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "a.gif ba.gif aa ";
    }
    const std::vector<LinkPass> passes = {
        {"a.gif", "http://h/a.gif"}, {"a", "A"}, {"a.gif", "http://i/a.gif"}, {"ref", "R"}};
    ExpectSameLinking(LinkFileNames(text, passes, SIZE_MAX), LinkFileNamesPassByPass(text, passes));
}

// Hundreds of names sharing their beginnings, and names that end other names, so that
// the search's automaton grows far past the few nodes of the cases above.
TEST(FileNameLinker, AgreesOnHundredsOfNamesSharingBeginnings) {
    std::vector<std::string> names;
    std::vector<std::string> addresses;
    for (int i = 0; i < 300; ++i) {
        for (const std::string& name :
             {"pic" + std::to_string(i * 7) + ".gif", "c" + std::to_string(i * 7) + ".gi"}) {
            names.push_back(name);
            addresses.push_back("http://h/" + name);
        }
    }
    // A name cut short and followed at once by a whole one: the search must begin the
    // second inside the first, from deep in the automaton.
    std::string text;
    for (int i = 0; i < 2200; ++i) {
        const std::string number = std::to_string(i);
        text += "pic" + number + "pic" + number + (i % 5 == 0 ? ".gi" : ".gif") + "c" + number;
    }
    std::vector<LinkPass> passes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        passes.push_back({names[i], addresses[i]});
    }
    ExpectSameLinking(LinkFileNames(text, passes, SIZE_MAX), LinkFileNamesPassByPass(text, passes));
}

// Names that share long endings, on texts made of those endings: a search that walks
// back from each ending would take hundreds of steps at every byte and must give way
// to one that does not, finding the same matches. Beside them, ordinary names whose
// endings are found a few times.
TEST(FileNameLinker, AgreesOnNamesSharingLongEndings) {
    const std::string tail(300, 'x');
    const std::vector<std::string> names = {"A" + tail, "B" + tail.substr(100), "q.gif", "pq.gif",
                                            "C" + tail + ".gif"};
    std::vector<std::string> addresses;
    for (const std::string& name : names) {
        addresses.push_back("http://h/" + name.substr(0, 8));
    }
    std::vector<LinkPass> passes;
    for (std::size_t i = 0; i < names.size(); ++i) {
        passes.push_back({names[i], addresses[i]});
    }
    const std::string texts[] = {
        std::string(5000, 'x'),
        tail + "A" + tail + "x" + tail + "B" + tail + "pq.gif q.gif",
        "pq.gif " + std::string(2000, 'x') + "C" + tail + ".gif",
        "q.gif pq.gif xq.gif",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        ExpectSameLinking(LinkFileNames(text, passes, SIZE_MAX),
                          LinkFileNamesPassByPass(text, passes));
    }
}

// Names that are runs of one byte, on runs of it: each name matches at nearly every byte,
// so together they match far more often than any run of the passes may hold. The passes
// then run in turns, with the same bytes as one pass per entry, and the rewriting linker,
// which cannot take turns, declines.
TEST(FileNameLinker, AgreesOnRunsOfOneByteTooManyToHoldAtOnce) {
    const std::string text = std::string(20000, 'a') + " x.gif " + std::string(3000, 'a');
    std::vector<std::string> names;
    for (int length = 1; length <= 40; ++length) {
        names.push_back(std::string(static_cast<std::size_t>(length), 'a'));
    }
    names.push_back("x.gif");
    std::vector<std::string> addresses;
    for (const std::string& name : names) {
        addresses.push_back("http://h/" + name);
    }
    std::vector<LinkPass> upward;
    for (std::size_t i = 0; i < names.size(); ++i) {
        upward.push_back({names[i], addresses[i]});
    }
    const std::vector<LinkPass> downward(upward.rbegin(), upward.rend());
    const std::vector<LinkPass>* const orders[] = {&upward, &downward};
    for (const std::vector<LinkPass>* passes : orders) {
        for (const std::size_t maxSize : {text.size() * 4 + 4096, text.size() * 40}) {
            SCOPED_TRACE(std::to_string(passes->front().name.size()) + " first, at most " +
                         std::to_string(maxSize));
            ExpectSameLinking(LinkFileNames(text, *passes, maxSize),
                              LinkFileNamesPassByPass(text, *passes, maxSize));
            const Rewriting asItIs{[](std::string& out, std::string_view part) { out += part; },
                                   text.size()};
            EXPECT_FALSE(PlanLinksRewriting(text, asItIs, *passes, maxSize).has_value());
        }
    }
}

// Names that hold "<" or ">" where an anchor's edge could fall, and names that hold
// them where none can: the same bytes as one pass per entry.
TEST(FileNameLinker, AgreesOnNamesHoldingAngleBrackets) {
    const std::string y = "<i class=\"c\">y.gif</i>";
    const struct {
        std::string text;
        std::vector<LinkPass> passes;
    } rows[] = {
        {"x", {{"x", "X"}, {"<a h", "Y"}}},
        {"<img alt=\"x\">src=" + y, {{"<i class=", "http://h/<i class="}, {"y.gif", "Y"}}},
        {"q x", {{"x", "X"}, {"q <a", "Q"}, {"x</a>", "Z"}}},
        {"x y", {{"x", "X"}, {"a> y", "A"}, {"y", "Y"}}},
        {"ab", {{"a", "A"}, {"b", "B"}, {"a><a", "C"}, {">", "D"}}},
        {"a<BR>b", {{"b", "B"}, {"<BR><a", "C"}, {"<BR>", "D"}}},
        {"qx", {{"x", "X"}, {"q<", "Q"}}},
        {"qx", {{"x", "X"}, {"a", "A"}, {"q<<", "Q"}}},
        {"xy", {{"x", "X"}, {">y", "Y"}}},
        {"xy", {{"x", "X"}, {"a", "A"}, {"a>>y", "Y"}}},
        {"qx", {{"x", "X"}, {"q<a href='X", "Q"}}},
        {"xy", {{"x", "X"}, {"x</a>y", "Y"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        ExpectSameLinking(LinkFileNames(row.text, row.passes, SIZE_MAX),
                          LinkFileNamesPassByPass(row.text, row.passes));
    }
    EXPECT_EQ(LinkFileNames("x", rows[0].passes, SIZE_MAX).text,
              "<a href='Y'>&lt;a h</a>ref='X'>x</a>");
}

// Only a name that could match across an anchor's edge costs a pass of its own: those
// that a page can make by accident go with the others.
TEST(FileNameLinker, OnlyNamesThatCouldCrossAnAnchorsEdgeRunAlone) {
    const std::pair<const char*, bool> rows[] = {
        {"<i class=", false}, {"x1<a.gif", false}, {"a<b.gif", false},    {"x<ab", false},
        {"x>y.gif", false},   {"b>y", false},      {"x.gif>", false},     {"x<", true},
        {"x<a", true},        {"x<a hr", true},    {"x<a href='h", true}, {">y", true},
        {"a>y", true},        {"/a>y", true},      {"x</a>y", true},      {"<a>y", false},
    };
    for (const auto& [name, alone] : rows) {
        EXPECT_EQ(CanReachAcrossAnAnchorEdge(name), alone) << name;
    }
}

}  // namespace
}  // namespace quorvane

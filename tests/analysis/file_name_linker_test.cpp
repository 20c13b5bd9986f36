#include "analysis/file_name_linker.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/html_escape.h"

namespace quorvane {
namespace {

// Names built to be nasty: substrings of each other, of the inserted markup and of the
// addresses, names in both pairs, names that repeat.
const std::vector<std::string> kNames = {"a",     "a.gif", "ba.gif", "ref",   "href", "gif",
                                         "'",     "=",     "/",      "h/a",   "aa",   "b",
                                         ".gif'", "x y",   "http",   "a.gif", "&lt;", "BR"};
const std::vector<std::string> kTextPieces = {"a",   "b",  ".gif", "&lt;", "<BR>", "'",
                                              "ref", "h/", " ",    "x",    "aa",   "="};

std::vector<LinkPass> RandomPasses(std::mt19937& random) {
    std::vector<LinkPass> passes;
    const int count = static_cast<int>(random() % 8);
    for (int i = 0; i < count; ++i) {
        const std::string name = kNames[random() % kNames.size()];
        const std::string address = "http://h/" + kNames[random() % kNames.size()];
        passes.push_back({name, "<a href='" + EscapeLinkedAddress(address) + "'>" + name + "</a>"});
    }
    return passes;
}

TEST(FileNameLinker, AgreesWithOnePassPerEntryOnNastyCases) {
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            text += kTextPieces[random() % kTextPieces.size()];
        }
        const std::vector<LinkPass> passes = RandomPasses(random);
        ASSERT_EQ(LinkFileNames(text, passes), LinkFileNamesPassByPass(text, passes))
            << "round " << round << ": " << text;
    }
}

TEST(FileNameLinker, AgreesOnNamesRepeatedThousandsOfTimes) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "a.gif ba.gif aa ";
    }
    const std::vector<LinkPass> passes = {{"a.gif", "<a href='http://h/a.gif'>a.gif</a>"},
                                          {"a", "<a href='A'>a</a>"},
                                          {"a.gif", "<a href='http://i/a.gif'>a.gif</a>"},
                                          {"ref", "<a href='R'>ref</a>"}};
    EXPECT_EQ(LinkFileNames(text, passes), LinkFileNamesPassByPass(text, passes));
}

TEST(FileNameLinker, FallsBackForNamesHoldingAngleBrackets) {
    const std::vector<LinkPass> passes = {{"x", "<a href='X'>x</a>"},
                                          {"<a h", "<a href='Y'>&lt;a h</a>"}};
    EXPECT_EQ(LinkFileNames("x", passes), "<a href='Y'>&lt;a h</a>ref='X'>x</a>");
}

}  // namespace
}  // namespace quorvane

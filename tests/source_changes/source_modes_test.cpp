// The switch of the "Original Source" view between the page as served, as it is now and
// the changes, against a pane and an engine without a display.
#include "source_changes/source_modes.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// Records what it was asked to show, as "source(<address>):<text>" or
// "marked(<address>):<text>".
class FakeChangesPane : public ChangesPane {
  public:
    std::vector<std::string> shown;
    std::vector<MarkedLine> marks;
    std::uint32_t caretLine = 0;

    bool Visible() const override { return true; }
    void SetVisible(bool) override {}
    void ShowSource(std::string text, std::string address) override {
        shown.push_back("source(" + address + "):" + text);
    }
    void ShowMarkedText(std::string text, std::string address,
                        std::vector<MarkedLine> marked) override {
        shown.push_back("marked(" + address + "):" + text);
        marks = std::move(marked);
    }
    std::uint32_t CaretTextLine() const override { return caretLine; }
    void GoToTextLine(std::uint32_t line) override { caretLine = line; }
    SourceMatches Find(const std::string&, const SourceFindOptions&, unsigned) override {
        return {};
    }
    void FindNext() override {}
    void FindPrevious() override {}
    void EndFind() override {}
    std::size_t CurrentMatch() const override { return 0; }
    double ZoomLevel() const override { return 1.0; }
    void SetZoomLevel(double) override {}
};

// Answers the reads when told, in order; document is what the page is now.
class FakeLiveReader : public LiveDocumentReader {
  public:
    std::optional<LiveDocument> document;
    std::deque<Done> waiting;

    void ReadLiveDocument(Done done) override { waiting.push_back(std::move(done)); }
    void AnswerFirst() {
        Done done = std::move(waiting.front());
        waiting.pop_front();
        done(document);
    }
};

class SourceModesTest : public ::testing::Test {
  protected:
    SourceModes& Modes(SourceMode mode) {
        modes_.emplace(pane, reader, OrderedWorker::ToWindowThread(), mode,
                       [this] { notes.push_back(modes_->Note()); });
        return *modes_;
    }

    FakeChangesPane pane;
    FakeLiveReader reader;
    std::vector<std::string> notes;

  private:
    std::optional<SourceModes> modes_;
};

constexpr const char* kServed = "<p>old</p>";
constexpr const char* kLive = "<p>new</p>";

TEST_F(SourceModesTest, AsServedShowsTheServedTextAndReadsNothing) {
    SourceModes& modes = Modes(SourceMode::AsServed);
    modes.ShowSource(kServed, "http://a/");
    EXPECT_EQ(pane.shown, std::vector<std::string>{"source(http://a/):<p>old</p>"});
    EXPECT_TRUE(reader.waiting.empty());
    EXPECT_EQ(modes.LiveState(), SourceModes::LiveText::NotRead);
}

TEST_F(SourceModesTest, AsNowReadsTheLiveDocumentWhenChosenAndShowsIt) {
    SourceModes& modes = Modes(SourceMode::AsServed);
    modes.ShowSource(kServed, "http://a/");
    reader.document = LiveDocument{"http://a/#now", kLive, false};
    modes.Choose(SourceMode::AsNow);
    ASSERT_EQ(reader.waiting.size(), 1u);
    EXPECT_EQ(modes.Note(), "Reading the page as it is now\u2026");
    reader.AnswerFirst();
    EXPECT_EQ(pane.shown.back(), "source(http://a/#now):<p>new</p>");
    EXPECT_EQ(modes.LiveState(), SourceModes::LiveText::Read);
    EXPECT_EQ(modes.Note(), "");
    // Back to the served text without the engine.
    modes.Choose(SourceMode::AsServed);
    EXPECT_EQ(pane.shown.back(), "source(http://a/):<p>old</p>");
    EXPECT_TRUE(reader.waiting.empty());
}

// The live text is read again only when asked: by choosing its mode again, by the button,
// or when the follower brings a new page's served text.
TEST_F(SourceModesTest, ReadsTheLiveDocumentAgainOnlyOnRequest) {
    SourceModes& modes = Modes(SourceMode::AsNow);
    reader.document = LiveDocument{"http://a/", kLive, false};
    modes.ShowSource(kServed, "http://a/");
    reader.AnswerFirst();
    EXPECT_TRUE(reader.waiting.empty());
    modes.ReadLiveAgain();
    EXPECT_EQ(reader.waiting.size(), 1u);
    reader.AnswerFirst();
    modes.Choose(SourceMode::AsNow);
    EXPECT_EQ(reader.waiting.size(), 1u);
    reader.AnswerFirst();
    modes.Choose(SourceMode::AsServed);
    modes.ReadLiveAgain();
    EXPECT_TRUE(reader.waiting.empty());
}

// An answer for the page before is dropped: a new served text asked for another.
TEST_F(SourceModesTest, DropsTheAnswerOfAnOlderRead) {
    SourceModes& modes = Modes(SourceMode::AsNow);
    modes.ShowSource(kServed, "http://a/");
    modes.ShowSource("<p>b</p>", "http://b/");
    ASSERT_EQ(reader.waiting.size(), 2u);
    reader.document = LiveDocument{"http://a/", "stale", false};
    reader.AnswerFirst();
    EXPECT_TRUE(pane.shown.empty());
    reader.document = LiveDocument{"http://b/", "<p>b2</p>", false};
    reader.AnswerFirst();
    EXPECT_EQ(pane.shown, std::vector<std::string>{"source(http://b/):<p>b2</p>"});
}

TEST_F(SourceModesTest, ChangesComparesBothTextsAndMarksTheirLines) {
    SourceModes& modes = Modes(SourceMode::Changes);
    reader.document = LiveDocument{"http://a/", kLive, false};
    modes.ShowSource(kServed, "http://a/");
    reader.AnswerFirst();
    EXPECT_EQ(modes.ComparisonState(), SourceModes::Comparison::Made);
    EXPECT_EQ(pane.shown.back(), "marked(http://a/):<p>\n  old\n  new\n</p>\n");
    const std::vector<MarkedLine> marks = {{1, MarkedLine::Side::Served},
                                           {2, MarkedLine::Side::Live}};
    EXPECT_EQ(pane.marks, marks);
    EXPECT_EQ(modes.Note(), "1 change");
    EXPECT_EQ(notes, (std::vector<std::string>{"Reading the page as it is now\u2026",
                                               "Comparing\u2026", "1 change"}));
}

TEST_F(SourceModesTest, GoesFromChangeToChangeOnlyInTheChangesMode) {
    SourceModes& modes = Modes(SourceMode::Changes);
    reader.document =
        LiveDocument{"http://a/", "<p>A</p><div>same</div><div>same too</div><p>B</p>", false};
    modes.ShowSource("<p>a</p><div>same</div><div>same too</div><p>b</p>", "http://a/");
    reader.AnswerFirst();
    ASSERT_EQ(modes.Note(), "2 changes");
    std::vector<std::uint32_t> visited;
    for (int i = 0; i < 3; ++i) {
        modes.GoToNextChange();
        visited.push_back(pane.caretLine);
    }
    modes.GoToPreviousChange();
    visited.push_back(pane.caretLine);
    EXPECT_EQ(visited, (std::vector<std::uint32_t>{1, 11, 1, 11}));
    modes.Choose(SourceMode::AsServed);
    pane.caretLine = 0;
    modes.GoToNextChange();
    EXPECT_EQ(pane.caretLine, 0u);
}

TEST_F(SourceModesTest, SaysSoWhenThereIsNoDocumentToRead) {
    SourceModes& modes = Modes(SourceMode::Changes);
    modes.ShowSource(kServed, "http://a/");
    reader.AnswerFirst();
    EXPECT_EQ(modes.LiveState(), SourceModes::LiveText::Missing);
    EXPECT_EQ(modes.Note(), "There is no page to read as it is now.");
    EXPECT_TRUE(pane.shown.empty());
}

// The view may go while the engine still reads: its answer then changes nothing.
TEST(SourceModes, AnAnswerAfterTheSwitchHasGoneIsDropped) {
    FakeChangesPane pane;
    FakeLiveReader reader;
    {
        SourceModes modes(pane, reader, {}, SourceMode::AsNow, [] {});
        modes.ShowSource(kServed, "http://a/");
    }
    reader.document = LiveDocument{"http://a/", kLive, false};
    reader.AnswerFirst();
    EXPECT_TRUE(pane.shown.empty());
}

TEST(SourceModeName, NamesEachModeForTheSettings) {
    for (const SourceMode mode : {SourceMode::AsServed, SourceMode::AsNow, SourceMode::Changes}) {
        EXPECT_EQ(SourceModeNamed(SourceModeName(mode)), mode);
    }
    EXPECT_EQ(SourceModeName(SourceMode::AsNow), "now");
    EXPECT_EQ(SourceModeNamed("bogus"), std::nullopt);
}

}  // namespace
}  // namespace quorvane

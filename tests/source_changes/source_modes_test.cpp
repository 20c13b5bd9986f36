// The switch of the "Original Source" view between the page as served, as it is now and
// the changes, against a pane and an engine without a display.
#include "source_changes/source_modes.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
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

// Answers the reads when told, in order; document is what the page is now. The frames
// are listed at once: frames is what the page holds.
class FakeLiveReader : public LiveDocumentReader {
  public:
    std::optional<LiveDocument> document;
    std::deque<Done> waiting;
    std::vector<std::string> framesAsked;  // the frame address of each read, in order
    std::vector<std::string> frames;
    int listings = 0;

    void ReadLiveDocument(const std::string& frame, Done done) override {
        framesAsked.push_back(frame);
        waiting.push_back(std::move(done));
    }
    void ListFrames(FramesDone done) override {
        ++listings;
        done(frames);
    }
    void AnswerFirst() {
        Done done = std::move(waiting.front());
        waiting.pop_front();
        done(document);
    }
};

// The served texts of frames, by address, answered when told.
class FakeServedFrames : public ServedFrameReader {
  public:
    std::map<std::string, std::string> texts;
    std::deque<std::pair<std::string, Done>> waiting;

    void ReadServedFrame(const std::string& address, Done done) override {
        waiting.emplace_back(address, std::move(done));
    }
    void AnswerFirst() {
        auto [address, done] = std::move(waiting.front());
        waiting.pop_front();
        const auto text = texts.find(address);
        done(text != texts.end() ? std::optional<std::string>(text->second) : std::nullopt);
    }
};

class SourceModesTest : public ::testing::Test {
  protected:
    SourceModes& Modes(SourceMode mode) {
        modes_.emplace(pane, reader, servedFrames, OrderedWorker::ToWindowThread(), mode,
                       [this] { notes.push_back(modes_->Note()); });
        return *modes_;
    }

    FakeChangesPane pane;
    FakeLiveReader reader;
    FakeServedFrames servedFrames;
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
    FakeServedFrames servedFrames;
    {
        SourceModes modes(pane, reader, servedFrames, {}, SourceMode::AsNow, [] {});
        modes.ShowSource(kServed, "http://a/");
    }
    reader.document = LiveDocument{"http://a/", kLive, false};
    reader.AnswerFirst();
    EXPECT_TRUE(pane.shown.empty());
}

constexpr const char* kFrame = "http://a/frame.html";

// The served text of a frame is its own document's, read from the engine; the live one
// is the frame's document; the comparison is of the two.
TEST_F(SourceModesTest, AFrameChosenShowsItsOwnTextsInEachMode) {
    SourceModes& modes = Modes(SourceMode::AsServed);
    reader.frames = {kFrame};
    servedFrames.texts[kFrame] = "<p>frame old</p>";
    modes.ShowSource(kServed, "http://a/");
    ASSERT_EQ(modes.Frames(), std::vector<std::string>{kFrame});
    modes.ChooseFrame(kFrame);
    EXPECT_EQ(modes.Note(), "Reading the frame as served\u2026");
    ASSERT_EQ(servedFrames.waiting.size(), 1u);
    EXPECT_EQ(servedFrames.waiting.front().first, kFrame);
    servedFrames.AnswerFirst();
    EXPECT_EQ(pane.shown.back(), "source(http://a/frame.html):<p>frame old</p>");
    reader.document = LiveDocument{kFrame, "<p>frame new</p>", false};
    modes.Choose(SourceMode::AsNow);
    reader.AnswerFirst();
    EXPECT_EQ(reader.framesAsked, std::vector<std::string>{kFrame});
    EXPECT_EQ(pane.shown.back(), "source(http://a/frame.html):<p>frame new</p>");
    modes.Choose(SourceMode::Changes);
    reader.AnswerFirst();
    EXPECT_EQ(pane.shown.back(),
              "marked(http://a/frame.html):<p>\n  frame old\n  frame new\n</p>\n");
    EXPECT_EQ(modes.Note(), "1 change");
    // Back to the main document, whose served text is kept.
    modes.ChooseFrame("");
    reader.document = LiveDocument{"http://a/", kLive, false};
    reader.AnswerFirst();
    EXPECT_EQ(pane.shown.back(), "marked(http://a/):<p>\n  old\n  new\n</p>\n");
    EXPECT_TRUE(servedFrames.waiting.empty());
}

// In "Changes", the two texts of a frame come in either order; the comparison waits for both.
TEST_F(SourceModesTest, ComparesAFrameOnceBothItsTextsAreRead) {
    for (const bool servedFirst : {true, false}) {
        SCOPED_TRACE(servedFirst ? "served first" : "live first");
        pane.shown.clear();
        SourceModes& modes = Modes(SourceMode::Changes);
        reader.frames = {kFrame};
        servedFrames.texts[kFrame] = "<p>x</p>";
        reader.document = LiveDocument{"http://a/", kLive, false};
        modes.ShowSource(kServed, "http://a/");
        reader.AnswerFirst();
        modes.ChooseFrame(kFrame);
        reader.document = LiveDocument{kFrame, "<p>y</p>", false};
        if (servedFirst) {
            servedFrames.AnswerFirst();
            EXPECT_EQ(modes.ComparisonState(), SourceModes::Comparison::NotMade);
            reader.AnswerFirst();
        } else {
            reader.AnswerFirst();
            EXPECT_EQ(modes.ComparisonState(), SourceModes::Comparison::NotMade);
            servedFrames.AnswerFirst();
        }
        EXPECT_EQ(modes.ComparisonState(), SourceModes::Comparison::Made);
        EXPECT_EQ(pane.shown.back(), "marked(http://a/frame.html):<p>\n  x\n  y\n</p>\n");
    }
}

TEST_F(SourceModesTest, SaysSoWhenAFramesTextsAreMissing) {
    SourceModes& modes = Modes(SourceMode::AsServed);
    reader.frames = {kFrame};
    modes.ShowSource(kServed, "http://a/");
    modes.ChooseFrame(kFrame);
    servedFrames.AnswerFirst();
    EXPECT_EQ(modes.ServedState(), SourceModes::ServedText::Missing);
    EXPECT_EQ(modes.Note(), "The browser holds no copy of this frame as served.");
    modes.Choose(SourceMode::AsNow);
    reader.AnswerFirst();
    EXPECT_EQ(modes.Note(), "This frame cannot be read as it is now.");
}

// A new served text is the main document's; a frame that is no longer there, or one the
// page may not show, is not chosen; a late answer for a frame left is dropped.
TEST_F(SourceModesTest, ChoosesTheMainDocumentWhenTheFrameIsGone) {
    SourceModes& modes = Modes(SourceMode::AsServed);
    reader.frames = {kFrame, "file:///etc/passwd"};
    servedFrames.texts[kFrame] = "<p>frame</p>";
    modes.ShowSource(kServed, "http://a/");
    EXPECT_EQ(modes.Frames(), std::vector<std::string>{kFrame});
    modes.ChooseFrame("file:///etc/passwd");
    EXPECT_EQ(modes.ChosenFrame(), "");
    EXPECT_TRUE(servedFrames.waiting.empty());
    modes.ChooseFrame(kFrame);
    modes.ShowSource("<p>again</p>", "http://a/");
    EXPECT_EQ(modes.ChosenFrame(), "");
    servedFrames.AnswerFirst();
    EXPECT_EQ(pane.shown.back(), "source(http://a/):<p>again</p>");
    modes.ChooseFrame(kFrame);
    servedFrames.AnswerFirst();
    reader.frames = {};
    modes.SetVisible(true);
    EXPECT_EQ(modes.ChosenFrame(), "");
    EXPECT_TRUE(modes.Frames().empty());
    EXPECT_EQ(pane.shown.back(), "source(http://a/):<p>again</p>");
}

// The page may make frames after its text came: they are listed again when the view is
// shown, a mode chosen or the page read again.
TEST_F(SourceModesTest, ListsTheFramesAgainWhenTheUserLooks) {
    SourceModes& modes = Modes(SourceMode::AsServed);
    modes.ShowSource(kServed, "http://a/");
    EXPECT_TRUE(modes.Frames().empty());
    reader.frames = {kFrame};
    modes.SetVisible(true);
    EXPECT_EQ(modes.Frames(), std::vector<std::string>{kFrame});
    reader.frames = {kFrame, "http://b/"};
    modes.Choose(SourceMode::AsNow);
    EXPECT_EQ(modes.Frames(), (std::vector<std::string>{kFrame, "http://b/"}));
    reader.frames = {};
    modes.ReadLiveAgain();
    EXPECT_TRUE(modes.Frames().empty());
}

TEST(SourceModeName, NamesEachModeForTheSettings) {
    for (const SourceMode mode : {SourceMode::AsServed, SourceMode::AsNow, SourceMode::Changes}) {
        EXPECT_EQ(SourceModeNamed(SourceModeName(mode)), mode);
    }
    EXPECT_EQ(SourceModeName(SourceMode::AsNow), "now");
    EXPECT_EQ(SourceModeNamed("bogus"), std::nullopt);
}

constexpr const char* kScript = "http://a/app.js";

// A file of the page chosen from the Resources view is shown as served, offered after the
// frames until the page is another; the main document is chosen back as a frame is.
TEST_F(SourceModesTest, AFileOfThePageIsShownAsServedUntilThePageChanges) {
    SourceModes& modes = Modes(SourceMode::Changes);
    reader.frames = {kFrame};
    servedFrames.texts[kScript] = "var a = 1;";
    modes.ChooseResource(kScript, "http://a/");
    EXPECT_EQ(modes.Mode(), SourceMode::AsServed);
    EXPECT_EQ(modes.Frames(), std::vector<std::string>{kScript});
    EXPECT_EQ(modes.Note(), "Reading the file as served\u2026");
    servedFrames.AnswerFirst();
    EXPECT_EQ(pane.shown.back(), "source(http://a/app.js):var a = 1;");
    EXPECT_TRUE(modes.Note().starts_with("The text of http://a/app.js, a file of the page"))
        << modes.Note();
    // The page's text coming after the choice, and its frames listed again, keep it.
    modes.ShowSource(kServed, "http://a/");
    EXPECT_EQ(modes.ChosenFrame(), kScript);
    servedFrames.AnswerFirst();
    EXPECT_EQ(pane.shown.back(), "source(http://a/app.js):var a = 1;");
    EXPECT_EQ(modes.Frames(), (std::vector<std::string>{kFrame, kScript}));
    modes.ChooseFrame("");
    EXPECT_EQ(pane.shown.back(), "source(http://a/):<p>old</p>");
    EXPECT_EQ(modes.Note(), "");
    modes.ChooseFrame(kScript);
    EXPECT_EQ(servedFrames.waiting.size(), 1u);
    modes.ShowSource("<p>b</p>", "http://b/");
    EXPECT_EQ(modes.ChosenFrame(), "");
    EXPECT_EQ(modes.Frames(), std::vector<std::string>{"http://a/frame.html"});
    servedFrames.AnswerFirst();
    EXPECT_EQ(pane.shown.back(), "source(http://b/):<p>b</p>");
}

TEST_F(SourceModesTest, SaysPlainlyWhenTheEngineHoldsNoCopyOfTheFile) {
    SourceModes& modes = Modes(SourceMode::AsServed);
    modes.ShowSource(kServed, "http://a/");
    modes.ChooseResource(kScript, "http://a/");
    servedFrames.AnswerFirst();
    EXPECT_EQ(modes.ServedState(), SourceModes::ServedText::Missing);
    EXPECT_EQ(modes.Note(),
              "The browser holds no copy of http://a/app.js; nothing is fetched again.");
}

}  // namespace
}  // namespace quorvane

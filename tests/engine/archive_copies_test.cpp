#include "engine/archive_copies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

using ::testing::ElementsAre;

const std::string kArchive =
    "From: <Saved by WebKit>\r\nMIME-Version: 1.0\r\n"
    "Content-Type: multipart/related; type=\"text/html\"; boundary=\"B\"\r\n\r\n"
    "--B\r\nContent-Type: text/html\r\nContent-Transfer-Encoding: quoted-printable\r\n"
    "Content-Location: http://host.example/page.html\r\n\r\n"
    "<img src=3D\"a.png\"><img src=3D\"cid:logo\">\r\n"
    "--B\r\nContent-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n"
    "Content-Location: http://host.example/a.png\r\n\r\niVBORw0KGgo=\r\n"
    "--B\r\nContent-Type: image/gif\r\nContent-ID: <logo>\r\n\r\nGIF89a\r\n"
    "--B--\r\n";
const std::string kPng = "\x89PNG\r\n\x1A\n";

// What the reads and waits of the test answered, in their order.
struct Answers {
    std::vector<std::string> told;

    ResourceCopies::CopyDone Copy(const std::string& name) {
        return [this, name](std::optional<ServedResource> copy) {
            told.push_back(name + (copy ? ": " + copy->mimeType + " " + copy->address + " " +
                                              std::to_string(copy->bytes.size())
                                        : ": none"));
        };
    }
    ResourceCopies::LoadEnded Wait(const std::string& name) {
        return
            [this, name](bool loaded) { told.push_back(name + (loaded ? ": loaded" : ": not")); };
    }
    FileFetcher::FetchDone Fetched(const std::string& name) {
        return [this, name](std::optional<std::string> error) {
            told.push_back(name + ": " + error.value_or("fetched"));
        };
    }
};

TEST(ArchiveCopies, AnswersWhatWaitedOnceTheArchiveIsRead) {
    ArchiveCopies copies({});
    Answers answers;
    copies.PageStarted();
    copies.ArchiveCommitted();
    EXPECT_EQ(copies.CurrentStage(), ArchiveCopies::Stage::Reading);
    copies.Read("http://host.example/a.png", answers.Copy("png"));
    copies.Read("http://host.example/a.png#part", answers.Copy("fragment"));
    copies.Read("cid:logo", answers.Copy("cid"));
    copies.Read("http://host.example/b.png", answers.Copy("absent"));
    copies.AwaitLoad("http://host.example/a.png", answers.Wait("png"));
    copies.AwaitLoad("http://host.example/b.png", answers.Wait("absent"));
    EXPECT_TRUE(answers.told.empty());

    copies.ArchiveLoaded(kArchive);
    EXPECT_EQ(copies.CurrentStage(), ArchiveCopies::Stage::Read);
    EXPECT_THAT(answers.told, ElementsAre("png: image/png http://host.example/a.png 8",
                                          "fragment: image/png http://host.example/a.png#part 8",
                                          "cid: image/gif cid:logo 6", "absent: none",
                                          "png: loaded", "absent: not"));

    // Once read, the archive answers at once.
    answers.told.clear();
    copies.Read("cid:logo", answers.Copy("later"));
    EXPECT_THAT(answers.told, ElementsAre("later: image/gif cid:logo 6"));
}

TEST(ArchiveCopies, FetchesWriteTheArchivesBytesAndNothingElse) {
    TempFolder folder;
    folder.Write("/a", "old");
    folder.Write("/b", "old");
    // Asked while the archive is read, answered once it is.
    ArchiveCopies copies({});
    Answers answers;
    copies.PageStarted();
    copies.ArchiveCommitted();
    copies.Fetch(1, "http://host.example/a.png", folder.File("/a"), answers.Fetched("png"));
    copies.Fetch(2, "http://host.example/c.png", folder.File("/b"), answers.Fetched("absent"));
    copies.Fetch(3, "http://host.example/a.png", folder.File("/missing/c"),
                 answers.Fetched("bad"));
    copies.ArchiveLoaded(kArchive);
    ASSERT_EQ(answers.told.size(), 3u);
    EXPECT_EQ(answers.told[0], "png: fetched");
    EXPECT_EQ(answers.told[1], std::string("absent: ") + ArchiveCopies::kNotInArchive);
    EXPECT_THAT(answers.told[2], ::testing::StartsWith("bad: "));
    EXPECT_NE(answers.told[2], "bad: fetched");
    EXPECT_EQ(folder.Read("/a"), kPng);

    answers.told.clear();
    copies.PageStarted();
    copies.ArchiveCommitted();
    // Cancelled while it waits for the archive, a fetch never answers; another goes on.
    copies.Fetch(4, "http://host.example/a.png", folder.File("/b"), answers.Fetched("waiting"));
    copies.Fetch(5, "http://host.example/a.png", folder.File("/a"), answers.Fetched("other"));
    copies.CancelFetch(4);
    copies.ArchiveLoaded(kArchive);
    EXPECT_THAT(answers.told, ElementsAre("other: fetched"));
    EXPECT_EQ(folder.Read("/b"), "old");
}

// The event orders a view's loads come in: each row is what the view tells, then what a
// read asked at the end answers.
TEST(ArchiveCopies, FollowsTheShownPage) {
    using Step = std::function<void(ArchiveCopies&)>;
    const Step started = [](ArchiveCopies& c) { c.PageStarted(); };
    const Step committed = [](ArchiveCopies& c) { c.ArchiveCommitted(); };
    const Step loaded = [](ArchiveCopies& c) { c.ArchiveLoaded(kArchive); };
    const Step unreadable = [](ArchiveCopies& c) { c.ArchiveLoaded(std::nullopt); };
    const struct {
        const char* name;
        std::vector<Step> steps;
        ArchiveCopies::Stage stage;
        const char* answer;  // nullptr: the read waits
    } rows[] = {
        {"a page of the web", {started}, ArchiveCopies::Stage::NoArchive, "png: none"},
        {"an archive read",
         {started, committed, loaded},
         ArchiveCopies::Stage::Read,
         "png: image/png http://host.example/a.png 8"},
        {"an archive not yet read", {started, committed}, ArchiveCopies::Stage::Reading, nullptr},
        {"an archive the engine has no bytes of",
         {started, committed, unreadable},
         ArchiveCopies::Stage::Read,
         "png: none"},
        {"a web page after an archive",
         {started, committed, loaded, started},
         ArchiveCopies::Stage::NoArchive,
         "png: none"},
        {"the bytes of an archive left before they came",
         {started, committed, started, loaded},
         ArchiveCopies::Stage::NoArchive,
         "png: none"},
    };
    for (const auto& row : rows) {
        ArchiveCopies copies({});
        for (const Step& step : row.steps) {
            step(copies);
        }
        Answers answers;
        copies.Read("http://host.example/a.png", answers.Copy("png"));
        EXPECT_EQ(copies.CurrentStage(), row.stage) << row.name;
        EXPECT_EQ(copies.ShowsArchive(), row.stage != ArchiveCopies::Stage::NoArchive) << row.name;
        if (row.answer == nullptr) {
            EXPECT_TRUE(answers.told.empty()) << row.name;
        } else {
            EXPECT_THAT(answers.told, ElementsAre(row.answer)) << row.name;
        }
    }
}

// The window's thread as the test runs it: the worker's answers wait until the test takes
// them.
class WindowSteps {
  public:
    OrderedWorker::ToWindowThread Poster() {
        return [this](std::function<void()> step) {
            const std::lock_guard lock(mutex_);
            steps_.push_back(std::move(step));
            posted_.notify_one();
        };
    }
    // Runs the next answer; false when none comes in time.
    bool RunNext() {
        std::function<void()> step;
        {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_for(lock, std::chrono::seconds(30),
                                  [&] { return !steps_.empty(); })) {
                return false;
            }
            step = std::move(steps_.front());
            steps_.pop_front();
        }
        step();
        return true;
    }

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> steps_;
};

// Read on the worker's thread, an archive answers only for the page it came with, and a
// fetch cancelled while its bytes were written never answers.
TEST(ArchiveCopies, DropsTheAnswersOfAPageOrFetchThatWentMeanwhile) {
    WindowSteps window;
    ArchiveCopies copies(window.Poster());
    Answers answers;
    copies.PageStarted();
    copies.ArchiveCommitted();
    copies.ArchiveLoaded(kArchive);
    copies.PageStarted();
    copies.ArchiveCommitted();
    copies.Read("http://host.example/a.png", answers.Copy("second"));
    ASSERT_TRUE(window.RunNext());
    EXPECT_TRUE(answers.told.empty());
    EXPECT_EQ(copies.CurrentStage(), ArchiveCopies::Stage::Reading);
    copies.ArchiveLoaded(kArchive);
    ASSERT_TRUE(window.RunNext());
    EXPECT_THAT(answers.told, ElementsAre("second: image/png http://host.example/a.png 8"));

    TempFolder folder;
    folder.Write("/a", "");
    answers.told.clear();
    copies.Fetch(1, "http://host.example/a.png", folder.File("/a"), answers.Fetched("cancelled"));
    copies.CancelFetch(1);
    copies.Fetch(2, "http://host.example/a.png", folder.File("/a"), answers.Fetched("kept"));
    ASSERT_TRUE(window.RunNext());
    ASSERT_TRUE(window.RunNext());
    EXPECT_THAT(answers.told, ElementsAre("kept: fetched"));
}

}  // namespace
}  // namespace quorvane

// The main window end to end with pages built to hurt: no script runs in the generated
// views, and no web page makes them read local files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "desktop/program_folder.h"
#include "engine/address_to_load.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/e2e/program_process.h"

namespace quorvane::test {
namespace {

using ::testing::Contains;
using ::testing::Not;

// The memory, in kB, of the engine's processes (the web and network processes this
// test process started).
long EngineMemoryKb() {
    long total = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream status(entry.path() / "status");
        std::string line;
        long rss = 0;
        pid_t parent = 0;
        while (std::getline(status, line)) {
            if (line.rfind("PPid:", 0) == 0) {
                parent = std::stoi(line.substr(5));
            } else if (line.rfind("VmRSS:", 0) == 0) {
                rss = std::stol(line.substr(6));
            }
        }
        total += parent == ::getpid() ? rss : 0;
    }
    return total;
}

// Counts the opens of one file from the moment it is made.
class OpenWatch {
  public:
    explicit OpenWatch(const std::filesystem::path& file)
        : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(fd_, file.c_str(), IN_OPEN | IN_ACCESS);
    }
    ~OpenWatch() { ::close(fd_); }
    int Events() {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t read = 0; (read = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + read;) {
                ++events_;
                at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len;
            }
        }
        return events_;
    }

  private:
    int fd_;
    int events_ = 0;
};

// How many pixels of the colour ("#27466F") the display shows now.
int PixelsOnScreen(const std::string& colour) {
    const std::string count = RunCommand(
        "import -window root png:- | convert png:- -format %c histogram:info:- | grep -i '" +
        colour + "'");
    return count.empty() ? 0 : std::stoi(count);
}

// A page built to run script in the generated views if it ever became live markup there:
// an image value carrying markup, an address with a single quote, script in the body.
TEST_F(MainWindowEndToEnd, GeneratedViewsOfAHostilePageRunNoScript) {
    const std::string beacon =
        "http:\\x2f\\x2f127.0.0.1:" + std::to_string(server_.Port()) + "\\x2fbeacon";
    const std::string payload = "fetch(`" + beacon + "`);document.title=`script ran`";
    server_.Serve("/it's/hostile.html", "text/html",
                  "<html><head><title>hostile</title></head><body><p>marker-hostile</p>\n"
                  "<img src=\"pics/x.gif' onerror='" +
                      payload +
                      "' q='.gif\">\n"
                      "<img src=\"pics/y.gif\"><a href=\"pics/y.gif'><script>" +
                      payload +
                      "</script>.jpg\">link</a>\n"
                      "<pre>&lt;script&gt;" +
                      payload +
                      "&lt;/script&gt;</pre>\n"
                      "</body></html>\n");
    const std::string page = server_.Url("/it's/hostile.html");
    TypeAddressAndPressEnter(page);
    ASSERT_TRUE(WaitForElementAt(0, page));
    ASSERT_TRUE(WaitUntil([&] {
        return ReadWorkFile("/source.htm").find("marker-hostile") != std::string::npos &&
               ViewsShowTheWorkFiles();
    }));
    // And the views run no script even in a file that is nothing but live script.
    const auto folder = FreshTempFolder("hostile");
    std::ofstream(folder / "live.html")
        << "<html><body><script>" << payload << "</script><img src=x onerror='" << payload
        << "'></body></html>";
    for (int view : {1, 2}) {
        frame_->Element(view).Navigate((folder / "live.html").string());
        ASSERT_TRUE(WaitForElementAt(view, AddressToLoad((folder / "live.html").string())));
    }
    // Both views have ended their loads of the live page: a script of it would have run
    // before that, and its title reached the view before the load's end did. Its request
    // to the server might still be on its way, so the title is the proof; no request is
    // one more check.
    EXPECT_NE(frame_->Element(1).Title(), "script ran");
    EXPECT_NE(frame_->Element(2).Title(), "script ran");
    EXPECT_THAT(server_.RequestedPaths(), Not(Contains("/beacon")));
    std::filesystem::remove_all(folder);
}

// A web page that names local files and a device as its pictures: neither the analysis
// nor the generated views open them, even when such an address is put into a view's
// page directly, and the engine's memory stays flat.
TEST_F(MainWindowEndToEnd, AWebPageNeverMakesTheViewsReadLocalFiles) {
    const auto folder = FreshTempFolder("local-files");
    const auto watched = folder / "watched.gif";
    std::ofstream(watched) << "GIF89a";
    OpenWatch opens(watched);
    const long engineBefore = EngineMemoryKb();
    const std::string files = "<img src=\"file://" + watched.string() +
                              "\"><img src='file:///dev/zero'><img src='FILE:/dev/zero'>";
    server_.Serve("/local/files.html", "text/html",
                  "<html><body><p>marker-local-files</p>" + files + "<a href=\"file://" +
                      watched.string() + "\">see</a></body></html>");
    const std::string page = server_.Url("/local/files.html");
    TypeAddressAndPressEnter(page);
    ASSERT_TRUE(WaitForAnalysedPage(page, "marker-local-files"));
    for (const std::string& address : frame_->Controller().Lists().imageTags.addresses) {
        EXPECT_EQ(address.rfind(server_.Url("/local/"), 0), 0u) << address;
    }
    // Addresses that slip into a generated view all the same stay out of reach, even
    // while it is shown and so loads its pictures.
    std::ofstream(folder / "slipped.html") << files;
    frame_->Controller().SelectView(2);
    frame_->Element(2).Navigate((folder / "slipped.html").string());
    // The view has ended its load of the page: a picture it read would have held the load's
    // end back until it was read (/dev/zero never ends), and its opening is in the watch's
    // queue since.
    ASSERT_TRUE(WaitForElementAt(2, AddressToLoad((folder / "slipped.html").string())));
    EXPECT_EQ(opens.Events(), 0);
    const long engineAfter = EngineMemoryKb();
    std::cout << "engine memory: " << engineBefore / 1024 << " MB before, " << engineAfter / 1024
              << " MB after\n";
    EXPECT_LT(engineAfter - engineBefore, 150 * 1024);
    std::filesystem::remove_all(folder);
}

// After a web page, whose views keep local files out, a local page's views show its own
// pictures again.
TEST_F(MainWindowEndToEnd, ALocalPageStillShowsItsOwnPicturesInTheImagesView) {
    server_.Serve("/web.html", "text/html", "<html><body><p>marker-web</p></body></html>");
    TypeAddressAndPressEnter(server_.Url("/web.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/web.html"), "marker-web"));
    const std::string home = AddressToLoad(ProgramFolder() + "/home.html");
    TypeAddressAndPressEnter(home);
    ASSERT_TRUE(WaitForAnalysedPage(home, "home-browser.svg"));
    frame_->Controller().SelectView(2);
    // A colour found in one picture only: the browser's lines, the source's dark
    // window, the images' purple tile.
    for (const char* colour : {"#9DB2D0", "#1F2A3A", "#D7B8F2"}) {
        EXPECT_TRUE(WaitUntil([&] { return PixelsOnScreen(colour) > 100; })) << colour;
    }
}

}  // namespace
}  // namespace quorvane::test

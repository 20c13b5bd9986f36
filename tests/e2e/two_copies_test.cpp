// Two copies of the real program at once, as a user may start it twice: each shows its
// own pages in its views, and the second one keeps its work files in a folder of its
// own that goes when it ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "tests/e2e/close_request.h"
#include "tests/e2e/http_test_server.h"
#include "tests/e2e/program_process.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace quorvane::test;

const std::string kStartCaption = "Quorvane by Tarnwick Downloads";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A page whose one picture is a square of one colour, so that a look at the Images
// view tells which page it shows.
struct ColouredPage {
    std::string letter;
    std::string colour;  // as the screenshot's histogram names it, "#FF0000"
};

void Serve(HttpTestServer& server, const ColouredPage& page) {
    server.Serve("/" + page.letter + "/page.html", "text/html",
                 "<html><head><title>Page " + page.letter + "</title></head><body><p>marker-" +
                     page.letter + "</p><img src=\"square-" + page.letter +
                     ".svg\"></body></html>");
    server.Serve("/" + page.letter + "/square-" + page.letter + ".svg", "image/svg+xml",
                 "<svg xmlns='http://www.w3.org/2000/svg' width='300' height='300'><rect "
                 "width='300' height='300' fill='" +
                     page.colour + "'/></svg>");
}

// Keys go to the window as a user types them.
void TypeInto(unsigned long window, const std::string& xdotoolKeys) {
    RunCommand("xdotool windowfocus --sync " + std::to_string(window) + " " + xdotoolKeys);
}

void Load(unsigned long window, const std::string& address) {
    TypeInto(window, "key ctrl+l type --delay 10 '" + address + "'");
    TypeInto(window, "key Return");
}

// How many pixels of the colour the window shows, after raising it above the other.
int PixelsOf(unsigned long window, const std::string& colour, const fs::path& shot) {
    RunCommand("xdotool windowraise " + std::to_string(window));
    RunCommand("import -window " + std::to_string(window) + " " + shot.string());
    const std::string histogram = RunCommand(
        "convert " + shot.string() + " -format %c histogram:info:- | grep -i '" + colour + "'");
    return histogram.empty() ? 0 : std::stoi(histogram);
}

// The folder's work files hold the page's analysis, once it has come.
void ExpectWorkFilesOf(const fs::path& folder, const ColouredPage& page) {
    const std::string marker = "marker-" + page.letter;
    EXPECT_TRUE(PollUntil(
        [&] { return ReadFile(folder / "source.htm").find(marker) != std::string::npos; }, 30s));
    EXPECT_NE(ReadFile(folder / "imagepage.html").find("square-" + page.letter), std::string::npos);
}

// The window's Images view shows the page's picture and nothing of the other page's.
void ExpectImagesViewShows(unsigned long window, const ColouredPage& page,
                           const ColouredPage& other, const fs::path& shot) {
    // The window is drawn raised a moment after it is asked to be.
    EXPECT_TRUE(PollUntil([&] { return PixelsOf(window, page.colour, shot) >= 10000; }, 30s));
    EXPECT_EQ(PixelsOf(window, other.colour, shot), 0);
}

// The program closes on a close request, with exit code 0 and nothing on its terminal.
void ExpectClosesCleanly(unsigned long window, pid_t copy, const fs::path& home) {
    ASSERT_TRUE(SendCloseRequest(window));
    EXPECT_EQ(WaitForExit(copy, 15s), std::optional<int>(0));
    EXPECT_EQ(ProgramErrors(home, copy), "") << "the program wrote to its terminal";
}

// A fresh home for the programs. The Help window would stand above the views.
fs::path HomeWithoutHelpAtStart() {
    const fs::path home = FreshProgramHome("two-copies");
    fs::create_directories(home / "config" / "Quorvane");
    std::ofstream(home / "config" / "Quorvane" / "Quorvane.conf") << "[Settings]\nshowHelp=0\n";
    return home;
}

TEST(TwoCopies, EachShowsItsOwnPagesAndKeepsItsOwnWorkFiles) {
    HttpTestServer server;
    const ColouredPage pages[] = {{"a", "#FF0000"}, {"b", "#0000FF"}};
    for (const ColouredPage& page : pages) {
        Serve(server, page);
    }
    const fs::path home = HomeWithoutHelpAtStart();
    const fs::path program = ProgramInHome(QUORVANE_PROGRAM, QUORVANE_FILES_BESIDE_PROGRAM, home);
    const fs::path programFolder = program.parent_path();

    pid_t copies[2] = {};
    unsigned long windows[2] = {};
    for (int i = 0; i < 2; ++i) {
        copies[i] = StartProgram(program, home);
        const auto window = FindWindow(kStartCaption + " - Welcome to Quorvane", 30s, copies[i]);
        ASSERT_TRUE(window) << "copy " << i << " never showed the start page";
        windows[i] = *window;
    }
    for (int i = 0; i < 2; ++i) {
        Load(windows[i], server.Url("/" + pages[i].letter + "/page.html"));
        ASSERT_TRUE(FindWindow(kStartCaption + " - Page " + pages[i].letter, 20s, copies[i]));
    }
    // The first copy keeps the program folder; the second works in one of its own.
    const fs::path folders[2] = {programFolder,
                                 home / "runtime" / "Quorvane" / std::to_string(copies[1])};
    // Each one's Images view shows its own picture and nothing of the other's.
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE("copy " + std::to_string(i));
        ExpectWorkFilesOf(folders[i], pages[i]);
        TypeInto(windows[i], "key ctrl+3");
        ExpectImagesViewShows(windows[i], pages[i], pages[1 - i],
                              home / ("images-" + std::to_string(i) + ".png"));
    }
    for (int i = 1; i >= 0; --i) {
        SCOPED_TRACE("copy " + std::to_string(i));
        ExpectClosesCleanly(windows[i], copies[i], home);
    }
    EXPECT_FALSE(fs::exists(folders[1]));
    EXPECT_TRUE(fs::exists(programFolder / "source.htm"));
    fs::remove_all(home);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// New windows of the real program, asked for by the user through a link's menu and by a
// page's script: each one is a new copy of the program on the address asked for, beside its
// opener, with the keyboard in its page and no Help window, and the opener lives on.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "tests/e2e/close_request.h"
#include "tests/e2e/http_test_server.h"
#include "tests/e2e/program_process.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace quorvane::test;

const std::string kCaption = "Quorvane by Tarnwick Downloads - ";
const std::string kHelpCaption = "Readme/Help";

// Each page fills the window's view with what is to be clicked, so that a click in the
// middle of the window lands on it at any window size.
const std::string kFillingStyle =
    "<style>body{margin:0} a,button{display:block;width:100vw;height:100vh}</style>";

void ServePages(HttpTestServer& server) {
    server.Serve("/link.html", "text/html",
                 "<html><head><title>Link Page</title>" + kFillingStyle +
                     "</head><body><a href=\"opened.html\">opened</a></body></html>");
    server.Serve("/button.html", "text/html",
                 "<html><head><title>Button Page</title>" + kFillingStyle +
                     "</head><body><button onclick=\"window.open('opened.html', "
                     "'_blank')\">open</button></body></html>");
    // The page says which key it was given, so that the test sees where the keyboard is.
    server.Serve("/opened.html", "text/html",
                 "<html><head><title>Opened Page</title></head><body><p>opened</p><script>"
                 "document.addEventListener('keydown', e => { document.title = 'Typed ' + "
                 "e.key; });</script></body></html>");
}

std::string Id(unsigned long window) {
    return std::to_string(window);
}

// Keys go to the window as a user types them.
void TypeInto(unsigned long window, const std::string& xdotoolKeys) {
    RunCommand("xdotool windowfocus --sync " + Id(window) + " " + xdotoolKeys);
}

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

Geometry GeometryOf(unsigned long window) {
    Geometry geometry;
    std::istringstream shell(RunCommand("xdotool getwindowgeometry --shell " + Id(window)));
    std::string line;
    while (std::getline(shell, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string name = line.substr(0, equals);
        const int value = std::stoi(line.substr(equals + 1));
        if (name == "X") {
            geometry.x = value;
        } else if (name == "Y") {
            geometry.y = value;
        } else if (name == "WIDTH") {
            geometry.width = value;
        } else if (name == "HEIGHT") {
            geometry.height = value;
        }
    }
    return geometry;
}

// Whether a visible window of that name belongs to the process now.
bool ShowsWindow(pid_t owner, const std::string& name) {
    return !RunCommand("xdotool search --all --onlyvisible --pid " + std::to_string(owner) +
                       " --name '^" + name + "$'")
                .empty();
}

// Whether a menu of the process is on the screen.
bool ShowsPopupMenu(pid_t owner) {
    std::istringstream windows(RunCommand("xdotool search --all --onlyvisible --pid " +
                                          std::to_string(owner) + " --class quorvane"));
    std::string window;
    while (windows >> window) {
        if (RunCommand("xprop -id " + window + " _NET_WM_WINDOW_TYPE").find("POPUP_MENU") !=
            std::string::npos) {
            return true;
        }
    }
    return false;
}

// A process that is not the test's child: gone, or ended and waiting for its parent.
bool Ended(pid_t process) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    const std::string text{std::istreambuf_iterator<char>(stat), {}};
    const auto state = text.rfind(") ");
    return text.empty() || (state != std::string::npos && text.substr(state + 2, 1) == "Z");
}

// A fresh home whose Help setting is the one a first start has: shown.
class NewWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        ServePages(server_);
        home_ = FreshProgramHome("new-windows");
        opener_ = StartProgram(
            ProgramInHome(QUORVANE_PROGRAM, QUORVANE_FILES_BESIDE_PROGRAM, home_), home_);
        // A person's start shows the Help window; it has the keyboard and closes on Escape.
        const auto help = FindWindow(kHelpCaption, 60s, opener_);
        ASSERT_TRUE(help) << "a person's start showed no Help window";
        // On a loaded machine the first key can come before the window has the keyboard,
        // so it is pressed again now and then until the window is gone.
        int polls = 0;
        ASSERT_TRUE(PollUntil(
            [&] {
                if (polls++ % 20 == 0) {
                    TypeInto(*help, "key Escape");
                }
                return !ShowsWindow(opener_, kHelpCaption);
            },
            30s));
    }

    void TearDown() override {
        if (copy_ > 0 && !Ended(copy_)) {
            ::kill(copy_, SIGKILL);
        }
        if (opener_ > 0) {
            WaitForExit(opener_, 1s);
        }
        fs::remove_all(home_);
    }

    // The opener on page, its window once it shows it.
    std::optional<unsigned long> OpenerOn(const std::string& page, const std::string& title) {
        const auto start = FindWindow(kCaption + "Welcome to Quorvane", 60s, opener_);
        if (!start) {
            return std::nullopt;
        }
        TypeInto(*start, "key ctrl+l type --delay 10 '" + server_.Url(page) + "'");
        TypeInto(*start, "key Return");
        return FindWindow(kCaption + title, 30s, opener_);
    }

    // What every new window must be, once the user or the page has asked for it in opener.
    void ExpectANewWindowBeside(unsigned long opener, const std::string& openerTitle) {
        const auto opened = FindWindow(kCaption + "Opened Page", 60s);
        ASSERT_TRUE(opened) << "no window showed the page asked for";
        copy_ = std::stoi(RunCommand("xdotool getwindowpid " + Id(*opened)));
        EXPECT_NE(copy_, opener_) << "the page opened in its opener's process";

        // The opener lives on, on its own page.
        EXPECT_FALSE(Ended(opener_));
        EXPECT_TRUE(ShowsWindow(opener_, kCaption + openerTitle));

        // The keyboard is in the new window's page: a key reaches the page's script. In the
        // Help window or the address box the caption would stay as it is.
        TypeInto(*opened, "key x");
        EXPECT_TRUE(FindWindow(kCaption + "Typed x", 30s, copy_))
            << "the new window's page did not get the key";
        // Its Load, where a Help window opens, is long over once its page has loaded.
        EXPECT_FALSE(ShowsWindow(copy_, kHelpCaption));

        const Geometry openerPlace = GeometryOf(opener);
        const Geometry place = GeometryOf(*opened);
        EXPECT_TRUE(place.x != openerPlace.x || place.y != openerPlace.y)
            << "the new window lies at its opener's place " << place.x << "," << place.y;

        // Both close as a user closes them, the opener with nothing on its terminal.
        ASSERT_TRUE(SendCloseRequest(*opened));
        EXPECT_TRUE(PollUntil([this] { return Ended(copy_); }, 30s));
        ASSERT_TRUE(SendCloseRequest(opener));
        EXPECT_EQ(WaitForExit(opener_, 30s), std::optional<int>(0));
        // The copy writes to its opener's terminal: neither aborted nor complained.
        EXPECT_EQ(ProgramErrors(home_, opener_), "");
        opener_ = 0;
    }

    void ClickInTheMiddle(unsigned long window, int button) {
        const Geometry geometry = GeometryOf(window);
        RunCommand("xdotool mousemove --window " + Id(window) + " " +
                   std::to_string(geometry.width / 2) + " " + std::to_string(geometry.height / 2) +
                   " click " + std::to_string(button));
    }

    HttpTestServer server_;
    fs::path home_;
    pid_t opener_ = 0;
    pid_t copy_ = 0;
};

TEST_F(NewWindows, OpenLinkInNewWindowOfTheLinksMenuOpensASecondWindow) {
    const auto opener = OpenerOn("/link.html", "Link Page");
    ASSERT_TRUE(opener);
    ClickInTheMiddle(*opener, 3);
    // The menu of a link: "Open Link", then "Open Link in New Window".
    ASSERT_TRUE(PollUntil([this] { return ShowsPopupMenu(opener_); }, 30s))
        << "the link's menu never showed";
    RunCommand("xdotool key Down Down Return");
    ExpectANewWindowBeside(*opener, "Link Page");
}

TEST_F(NewWindows, APageCallingWindowOpenOnAClickOpensASecondWindow) {
    const auto opener = OpenerOn("/button.html", "Button Page");
    ASSERT_TRUE(opener);
    ClickInTheMiddle(*opener, 1);
    ExpectANewWindowBeside(*opener, "Button Page");
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

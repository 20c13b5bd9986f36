// What the user is told and where the keyboard goes, end to end: the real window and
// engine, pages served from 127.0.0.1.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include <webkit2/webkit2.h>
#include <wx/webview.h>
#include "desktop/registry_store.h"
#include "engine/address_to_load.h"
#include "engine/child_processes.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/load_clock.h"
#include "tests/e2e/main_window_driver.h"
#include "tests/e2e/main_window_fixture.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class UserFeedbackEndToEnd : public MainWindowEndToEnd {
  protected:
    // Runs a menu item as its click does.
    void ClickMenuItem(const char* menu, const char* item) {
        const int id = frame_->GetMenuBar()->FindMenuItem(menu, item);
        ASSERT_NE(id, wxNOT_FOUND) << item;
        wxCommandEvent click(wxEVT_MENU, id);
        click.SetEventObject(frame_);
        frame_->ProcessWindowEvent(click);
    }
    // As the user finds it on opening the menu.
    bool MenuItemEnabled(const char* menu, const char* item) const {
        frame_->GetMenuBar()->UpdateMenus();
        return frame_->GetMenuBar()->IsEnabled(frame_->GetMenuBar()->FindMenuItem(menu, item));
    }
};

constexpr char kAddItem[] = "Add program to IE Tools Menu";
constexpr char kRemoveItem[] = "Remove Program from IE Tools Menu";

TEST_F(UserFeedbackEndToEnd, AToolsEntryThatCannotBeWrittenLeavesBothItemsAndSaysWhy) {
    // A file where the store's folder belongs: no user, root included, can write there.
    const fs::path blocked = workFolder_ / "blocked";
    std::ofstream(blocked) << "x";
    frame_->UseToolsMenuStore(RegistryStore(blocked / "HKEY_LOCAL_MACHINE.reg"));
    ClickMenuItem("Tools", kAddItem);
    EXPECT_TRUE(MenuItemEnabled("Tools", kAddItem));
    EXPECT_TRUE(MenuItemEnabled("Tools", kRemoveItem));
    EXPECT_EQ(StatusText(), "Could not add Quorvane to the IE Tools menu: " +
                                (blocked / "HKEY_LOCAL_MACHINE.reg").string() +
                                " cannot be written (" + blocked.string() + " is not a folder)");

    // Where it can write, the pair toggles as before.
    frame_->UseToolsMenuStore(RegistryStore(workFolder_ / "registry" / "HKEY_LOCAL_MACHINE.reg"));
    ClickMenuItem("Tools", kAddItem);
    EXPECT_FALSE(MenuItemEnabled("Tools", kAddItem));
    EXPECT_TRUE(MenuItemEnabled("Tools", kRemoveItem));
}

// A page that keeps the engine busy for minutes, and its network process with it: the user
// gets the Browser view back at once when going elsewhere or stopping it.
TEST_F(UserFeedbackEndToEnd, AWedgedEngineGivesWayToTheNextPageAndToStop) {
    std::string pictures = "<html><body><p>marker-wedge</p>";
    for (int i = 0; i < 80000; ++i) {
        pictures += "<img src=\"p/" + std::to_string(i) + ".png\">";
    }
    server_.Serve("/wedge/page.html", "text/html", pictures + "</body></html>");
    std::string small = "<html><body><p>marker-small</p>";
    for (int i = 0; i < 300; ++i) {
        small += "<p>line " + std::to_string(i) + "</p>";
    }
    server_.Serve("/small.html", "text/html", small + "</body></html>");
    const auto wedge = [&] {
        const std::size_t before = server_.RequestedPaths().size();
        TypeAddressAndPressEnter(server_.Url("/wedge/page.html"));
        // Busy with its pictures once it has asked for a few of them: the page and five.
        // By then the rest wait in its network process, which lets one out every few
        // seconds on a loaded machine, and parsing the page can take long there too, so
        // the wait is generous.
        return WaitUntil([&] { return server_.RequestedPaths().size() > before + 5; },
                         std::chrono::seconds(90));
    };

    ASSERT_TRUE(wedge());
    frame_->Controller().Stop();
    const auto asked = std::chrono::steady_clock::now();
    TypeAddressAndPressEnter(server_.Url("/small.html"));
    ASSERT_TRUE(WaitForElementAt(0, server_.Url("/small.html")));
    std::cout << "the next page showed "
              << std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - asked)
                     .count()
              << " ms after it was asked for\n";
    EXPECT_NE(CaptureBrowserBody().value_or("").find("marker-small"), std::string::npos);
    // The fresh engine takes the keyboard as the old one did.
    TypeKeys("ctrl+1");
    ASSERT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == frame_->Element(0).Window(); }));
    ASSERT_EQ(EvaluateInBrowserView(*frame_, "String(window.scrollY)"), "0");
    TypeKeys("Next");
    EXPECT_TRUE(
        WaitUntil([&] { return EvaluateInBrowserView(*frame_, "String(window.scrollY)") != "0"; }));

    // Stop alone: an engine that does not answer is closed, and the view shows the stopped
    // page's address with nothing of it loaded; one that still answers in time just stops.
    // Either way the view is the user's again and the address stays.
    ASSERT_TRUE(wedge());
    frame_->Controller().Stop();
    const std::string wedgeAddress = server_.Url("/wedge/page.html");
    const std::string closed = "Stopped: " + wedgeAddress + " did not answer and was closed";
    EXPECT_TRUE(WaitUntil([&] { return StatusText() == closed || !frame_->Element(0).Busy(); }))
        << StatusText();
    if (StatusText() == closed) {
        std::cout << "the engine did not answer Stop and was closed\n";
        EXPECT_TRUE(WaitForElementAt(0, wedgeAddress));
    }
    EXPECT_EQ(frame_->AddressBox()->GetValue().utf8_string(), wedgeAddress);
}

// The network process goes when a Browser view's engine that does not answer is ended, or
// when it crashes: a generated view reading its file meanwhile reads it again.
TEST_F(UserFeedbackEndToEnd, AGeneratedViewReadsItsFileAgainWhenTheNetworkProcessGoes) {
    const fs::path again = WorkFile("/again.html");
    std::ofstream(again) << "<html><body><p>marker-again</p></body></html>";
    frame_->Element(1).LoadFile(again.string());
    for (pid_t network : ChildProcessesNamed(kNetworkProcessName)) {
        kill(network, SIGKILL);
    }
    EXPECT_TRUE(WaitUntil([&] {
        return !frame_->Element(1).Busy() &&
               PageSource(1).find("marker-again") != std::string::npos;
    })) << PageSource(1);
}

// The keys the Help lists work in a view at once, without a click into it.
TEST_F(UserFeedbackEndToEnd, AChosenViewScrollsByKeysAndEnterLeavesTheAddressBox) {
    std::string lines = "<html><body><p>marker-long</p>";
    for (int i = 0; i < 400; ++i) {
        lines += "<p>line " + std::to_string(i) + "</p>\n";
    }
    server_.Serve("/long.html", "text/html", lines + "</body></html>");
    server_.Serve("/again.html", "text/html", lines + "</body></html>");
    TypeAddressAndPressEnter(server_.Url("/long.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/long.html"), "marker-long"));
    // The generated views run no script, so the screen tells whether a view scrolled: the
    // top of the page as the view shows it once all is drawn, then something else.
    TypeKeys("ctrl+2");
    ASSERT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == frame_->Element(1).Window(); }));
    ASSERT_TRUE(WaitUntil([&] { return DrawsSomething(1); }));
    const std::optional<std::string> top = SettledPicture(1);
    ASSERT_TRUE(top.has_value());
    TypeKeys("Next");
    EXPECT_TRUE(WaitUntil([&] { return Picture(1) != *top; }));

    // Enter in the address box: the keyboard leaves the box for the page that loads.
    TypeKeys("ctrl+1 ctrl+l");
    ASSERT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == frame_->AddressBox(); }));
    frame_->AddressBox()->ChangeValue(server_.Url("/again.html"));
    TypeKeys("Return");
    ASSERT_TRUE(WaitForElementAt(0, server_.Url("/again.html")));

    EXPECT_EQ(wxWindow::FindFocus(), frame_->Element(0).Window());
    // The keys reach the page itself, not only the window that holds it.
    ASSERT_EQ(EvaluateInBrowserView(*frame_, "String(window.scrollY)"), "0");
    TypeKeys("Next");
    EXPECT_TRUE(
        WaitUntil([&] { return EvaluateInBrowserView(*frame_, "String(window.scrollY)") != "0"; }));
}

// A page that changes its title all the time (a clock, a counter of new messages) never
// takes away what the user types into the address box.
TEST_F(UserFeedbackEndToEnd, TypingInTheAddressBoxOutlastsTheTitlesChanges) {
    server_.Serve("/ticking.html", "text/html",
                  "<html><head><title>tick 0</title></head><body><p>marker-ticking</p><script>"
                  "let n = 0; setInterval(() => { document.title = 'tick ' + ++n; }, 200);"
                  "</script></body></html>");
    TypeAddressAndPressEnter(server_.Url("/ticking.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/ticking.html"), "marker-ticking"));
    TypeKeys("ctrl+l");
    ASSERT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == frame_->AddressBox(); }));
    TypeKeys("e x a m p l e");
    ASSERT_TRUE(WaitUntil([&] { return frame_->AddressText() == "example"; }))
        << frame_->AddressText();
    // Three more titles after the last key: each would have written the address back.
    const auto tick = [&] {
        const std::string caption = frame_->GetTitle().utf8_string();
        return std::atoi(caption.substr(caption.rfind(' ') + 1).c_str());
    };
    const int typedAt = tick();
    ASSERT_TRUE(WaitUntil([&] { return tick() >= typedAt + 3; })) << frame_->GetTitle();
    EXPECT_EQ(frame_->AddressText(), "example");

    // Escape gives up the typing: the box shows the page's address, and follows it again.
    TypeKeys("Escape");
    EXPECT_TRUE(WaitUntil([&] { return frame_->AddressText() == server_.Url("/ticking.html"); }))
        << frame_->AddressText();
}

// A port on 127.0.0.1 that the test holds: listening, the system takes its connections
// but nobody ever answers them; not listening, the system refuses them. Either way no other
// program (a test running beside this one) can take the port meanwhile.
class HeldPort {
  public:
    enum class Connections { TakenButNeverAnswered, Refused };

    explicit HeldPort(Connections connections) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            (connections == Connections::TakenButNeverAnswered && ::listen(socket_, 8) != 0) ||
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("no port of the test's own");
        }
        port_ = ntohs(address.sin_port);
    }
    ~HeldPort() { ::close(socket_); }
    HeldPort(const HeldPort&) = delete;
    HeldPort& operator=(const HeldPort&) = delete;
    int Port() const { return port_; }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    int socket_;
    int port_ = 0;
};

TEST_F(UserFeedbackEndToEnd, AServerThatNeverAnswersIsGivenUpWithAnErrorPage) {
    const HeldPort silent(HeldPort::Connections::TakenButNeverAnswered);
    const std::string address = silent.Url("/never.html");
    TypeAddressAndPressEnter(address);
    EXPECT_TRUE(WaitUntil([&] { return StatusText() == "Opening " + address + "..."; }))
        << StatusText();
    const std::string reason =
        "Could not open " + address + ": The server did not answer within 30 seconds.";
    ASSERT_TRUE(WaitUntil([&] { return StatusText() == reason; }, std::chrono::seconds(120)))
        << StatusText();
    EXPECT_EQ(frame_->AddressText(), address);
    const std::string page = CaptureBrowserBody().value_or("");
    EXPECT_NE(page.find("did not answer within 30 seconds"), std::string::npos) << page;
    EXPECT_NE(page.find("Try Again"), std::string::npos) << page;
}

TEST_F(UserFeedbackEndToEnd, ARefusedConnectionShowsWhyAndKeepsTheTypedAddress) {
    // A port nobody listens on.
    const HeldPort refusing(HeldPort::Connections::Refused);
    const int port = refusing.Port();
    const std::string typed = "127.0.0.1:" + std::to_string(port) + "/missing.html";
    TypeAddressAndPressEnter(typed);
    const std::string address = "http://" + typed;
    const std::string reason = "Could not open " + address + ": The server refused the connection.";
    ASSERT_TRUE(WaitUntil([&] { return StatusText() == reason; })) << StatusText();
    EXPECT_TRUE(WaitForElementAt(0, address));
    EXPECT_EQ(frame_->AddressBox()->GetValue().utf8_string(), typed);
    const std::string page = CaptureBrowserBody().value_or("");
    EXPECT_NE(page.find("This page could not be opened"), std::string::npos) << page;
    EXPECT_NE(page.find("Try Again"), std::string::npos) << page;
    // The generated views say there is no page, and the reason outlasts their loads.
    // Until the analysis has written, they still show the start page's files.
    const auto sayNoPage = [&](int view) {
        return PageSource(view).find("No page: " + reason) != std::string::npos;
    };
    EXPECT_TRUE(WaitUntil([&] { return ViewsShowTheWorkFiles() && sayNoPage(1) && sayNoPage(2); }))
        << PageSource(1) << "\n"
        << PageSource(2);
    EXPECT_EQ(StatusText(), reason);

    // A port the engine itself will not connect to is refused the same way.
    TypeAddressAndPressEnter("127.0.0.1:9");
    EXPECT_TRUE(WaitUntil([&] {
        return StatusText() ==
               "Could not open http://127.0.0.1:9/: The connection was refused: "
               "that port is kept for services other than the web.";
    })) << StatusText();
    EXPECT_EQ(frame_->AddressBox()->GetValue().utf8_string(), "127.0.0.1:9");
}

TEST_F(UserFeedbackEndToEnd, ADownloadsWordStaysPastTheViewsLoads) {
    const fs::path folder = workFolder_ / "downloads";
    setenv("XDG_DOWNLOAD_DIR", folder.c_str(), 1);
    server_.Serve("/files/archive.zip", "application/zip", std::string(300000, 'z'));
    // The start page stays in the Browser view, whose load ends all the same.
    LoadClock loads(*frame_, {HomePageAddress(), AddressToLoad(WorkFile("/source.htm")),
                              AddressToLoad(WorkFile("/imagepage.html"))});
    TypeAddressAndPressEnter(server_.Url("/files/archive.zip"));
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(folder / "archive.zip"); }));
    const std::string saved = "Saved archive.zip to " + folder.string();
    EXPECT_TRUE(WaitUntil([&] { return StatusText() == saved; })) << StatusText();
    // The Browser view's load that became a download ends in an analysis, whose views
    // load afterwards and say "Done" at their load ends: the word of the download stays.
    ASSERT_TRUE(WaitUntil([&] { return loads.BothViewsLoaded(); })) << StatusText();
    EXPECT_EQ(StatusText(), saved);
    unsetenv("XDG_DOWNLOAD_DIR");
}

}  // namespace
}  // namespace quorvane::test

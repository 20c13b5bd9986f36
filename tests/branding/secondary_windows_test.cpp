#include "branding/gui/secondary_windows.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <chrono>
#include <fstream>

#include "branding/branding_values.h"
#include "branding/gui/about_window.h"
#include "branding/gui/help_window.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

// Runs the event loop for a while, so timers fire and closed windows go away.
void RunEventsFor(int milliseconds) {
    wxEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(milliseconds);
    loop.Run();
}

int TopLevelWindowsTitled(const wxString& title) {
    int count = 0;
    for (const wxWindow* window : wxTopLevelWindows) {
        count += window->GetLabel() == title && !window->IsBeingDeleted() ? 1 : 0;
    }
    return count;
}

// A closed window goes when the loop is next idle, which a loaded machine may delay: the
// events run until none is left, for at most ten seconds.
int TopLevelWindowsLeftTitled(const wxString& title) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (TopLevelWindowsTitled(title) > 0 && std::chrono::steady_clock::now() < limit) {
        RunEventsFor(10);
    }
    return TopLevelWindowsTitled(title);
}

class HelpWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(helpFile_) << "{\\rtf1\\ansi{\\fonttbl{\\f0 Verdana;}}\\qc\\b Title\\b0\\par"
                                    "\\pard Body text\\par}";
    }
    void TearDown() override {
        main_->Destroy();
        RunEventsFor(50);
    }
    void StoreSetting(const std::string& text) {
        ShowHelpSetting("Quorvane", settings_).Write(text);
    }
    std::string StoredSetting() const {
        std::ifstream in(settings_);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        const auto at = text.find("showHelp=");
        return at == std::string::npos ? "<none>"
                                       : text.substr(at + 9, text.find('\n', at) - at - 9);
    }
    HelpWindow* Open(const std::filesystem::path& helpFile) {
        return new HelpWindow(main_, helpFile, ShowHelpSetting("Quorvane", settings_));
    }

    TempFolder folder_;
    std::filesystem::path helpFile_ = folder_ / "Help.rtf";
    std::filesystem::path settings_ = folder_ / "settings.conf";
    wxFrame* main_ = new wxFrame(nullptr, wxID_ANY, "main");
};

TEST_F(HelpWindowTest, FirstRunTicksTheBoxAndHasAlreadyStoredOne) {
    HelpWindow* help = Open(helpFile_);
    EXPECT_EQ(help->ShowHelpCheck()->Get3StateValue(), wxCHK_CHECKED);
    EXPECT_EQ(StoredSetting(), "1");
}

TEST_F(HelpWindowTest, TheStoredTextSetsTheBoxWhenItIsAState) {
    struct Row {
        const char* stored;
        wxCheckBoxState state;
        const char* storedAfter;
    } rows[] = {
        {"0", wxCHK_UNCHECKED, "0"},
        {"1", wxCHK_CHECKED, "1"},
        {"2", wxCHK_UNDETERMINED, "2"},
        {"7", wxCHK_UNCHECKED, "7"},
        {"on", wxCHK_UNCHECKED, "on"},
        // The box changes, so its Click stores the state in its own words.
        {"1.0", wxCHK_CHECKED, "1"},
    };
    for (const auto& row : rows) {
        StoreSetting(row.stored);
        HelpWindow* help = Open(helpFile_);
        EXPECT_EQ(help->ShowHelpCheck()->Get3StateValue(), row.state) << row.stored;
        EXPECT_EQ(StoredSetting(), row.storedAfter) << row.stored;
        help->Destroy();
    }
}

TEST_F(HelpWindowTest, ClickingTheBoxStoresItsStateAtOnce) {
    HelpWindow* help = Open(helpFile_);
    help->ShowHelpCheck()->Set3StateValue(wxCHK_UNCHECKED);
    wxCommandEvent click(wxEVT_CHECKBOX, help->ShowHelpCheck()->GetId());
    click.SetEventObject(help->ShowHelpCheck());
    help->ShowHelpCheck()->ProcessWindowEvent(click);
    EXPECT_EQ(StoredSetting(), "0");
}

TEST_F(HelpWindowTest, ShowsTheDocumentReadOnlyFixedAndOnTop) {
    HelpWindow* help = Open(helpFile_);
    EXPECT_EQ(help->GetTitle(), "Readme/Help");
    EXPECT_TRUE(help->HasFlag(wxSTAY_ON_TOP));
    EXPECT_FALSE(help->HasFlag(wxRESIZE_BORDER));
    EXPECT_FALSE(help->HelpText()->IsEditable());
    EXPECT_EQ(help->HelpText()->GetValue(), "Title\nBody text");

    wxRichTextAttr title;
    ASSERT_TRUE(help->HelpText()->GetStyle(1, title));
    EXPECT_EQ(title.GetFontWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(title.GetAlignment(), wxTEXT_ALIGNMENT_CENTRE);
    wxRichTextAttr body;
    ASSERT_TRUE(help->HelpText()->GetStyle(8, body));
    EXPECT_NE(body.GetFontWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_NE(body.GetAlignment(), wxTEXT_ALIGNMENT_CENTRE);
}

TEST_F(HelpWindowTest, AMissingHelpFileIsNamedInTheWindow) {
    HelpWindow* help = Open(folder_ / "Missing.rtf");
    EXPECT_NE(help->HelpText()->GetValue().Find("\"Missing.rtf\" was not found"), wxNOT_FOUND);
    EXPECT_EQ(help->ShowHelpCheck()->Get3StateValue(), wxCHK_CHECKED);
}

TEST(AboutWindow, ShowsTheCaptionsAndTheWebsiteLabelOpensTheSite) {
    int opened = 0;
    auto* about =
        new AboutWindow(nullptr, MakeAboutCaptions(EmbeddedVersionRecord()), [&] { ++opened; });
    EXPECT_EQ(about->GetTitle(), "About Quorvane");
    EXPECT_EQ(about->ProductNameLabel()->GetLabel(), "Quorvane");
    EXPECT_EQ(about->VersionLabel()->GetLabel(), "2.1");
    EXPECT_EQ(about->CompanyLabel()->GetLabel(), "Tarnwick Downloads");
    EXPECT_EQ(about->WebsiteLabel()->GetLabel(), "tarnwick.example");
    EXPECT_FALSE(about->HasFlag(wxRESIZE_BORDER));
    wxMouseEvent click(wxEVT_LEFT_UP);
    click.SetEventObject(about->WebsiteLabel());
    about->WebsiteLabel()->ProcessWindowEvent(click);
    EXPECT_EQ(opened, 1);
    about->Destroy();
    RunEventsFor(50);
}

class SecondaryWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
        LoadBrandingValues();
        websiteRequest.clear();
        windows_.SetWebsiteLauncher([this](const std::string& address) {
            opened_.push_back(address);
            return browserFailure_;
        });
    }
    void TearDown() override {
        main_->Destroy();
        RunEventsFor(50);
        ::unsetenv("XDG_CONFIG_HOME");
    }
    // Runs the events until the Website window has gone, for at most ten seconds.
    void WaitUntilTheWebsiteWindowCloses() {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (windows_.WebsiteWindowShown() && std::chrono::steady_clock::now() < limit) {
            RunEventsFor(10);
        }
    }
    TempFolder folder_;
    wxFrame* main_ = new wxFrame(nullptr, wxID_ANY, "main");
    std::vector<std::string> statusTexts_;
    SecondaryWindows windows_{main_,
                              [this](const std::string& text) { statusTexts_.push_back(text); }};
    std::vector<std::string> opened_;
    std::optional<std::string> browserFailure_;
};

TEST_F(SecondaryWindowsTest, HelpAndAboutAreLoadedOnceAndHelpUnloads) {
    EXPECT_EQ(windows_.ReadShowHelpSetting(), "1");
    windows_.ShowHelp();
    windows_.ShowHelp();
    windows_.ShowAbout();
    windows_.ShowAbout();
    EXPECT_EQ(TopLevelWindowsTitled("Readme/Help"), 1);
    EXPECT_EQ(TopLevelWindowsTitled("About Quorvane"), 1);
    EXPECT_EQ(windows_.ReadShowHelpSetting(), "1");

    windows_.UnloadHelp();
    windows_.UnloadHelp();
    EXPECT_EQ(TopLevelWindowsLeftTitled("Readme/Help"), 0);
}

TEST_F(SecondaryWindowsTest, EscapeClosesHelpAndAboutButOtherKeysDoNot) {
    windows_.ShowHelp();
    windows_.ShowAbout();
    const auto press = [](const wxString& title, int keyCode) {
        for (wxWindow* window : wxTopLevelWindows) {
            if (window->GetLabel() == title && !window->IsBeingDeleted()) {
                wxKeyEvent key(wxEVT_CHAR_HOOK);
                key.m_keyCode = keyCode;
                key.SetEventObject(window);
                window->GetEventHandler()->ProcessEvent(key);
                return;
            }
        }
    };
    press("Readme/Help", 'x');
    press("About Quorvane", WXK_RETURN);
    RunEventsFor(50);
    EXPECT_EQ(TopLevelWindowsTitled("Readme/Help"), 1);
    EXPECT_EQ(TopLevelWindowsTitled("About Quorvane"), 1);
    press("Readme/Help", WXK_ESCAPE);
    press("About Quorvane", WXK_ESCAPE);
    EXPECT_EQ(TopLevelWindowsLeftTitled("Readme/Help"), 0);
    EXPECT_EQ(TopLevelWindowsLeftTitled("About Quorvane"), 0);
}

TEST_F(SecondaryWindowsTest, TheShippedHelpDocumentIsShown) {
    windows_.ShowHelp();
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* help = dynamic_cast<HelpWindow*>(window)) {
            EXPECT_NE(help->HelpText()->GetValue().Find("Source Code"), wxNOT_FOUND);
        }
    }
    EXPECT_EQ(TopLevelWindowsTitled("Readme/Help"), 1);
}

TEST_F(SecondaryWindowsTest, TwoQuickClicksOpenTheSiteOnceAndTheNextLoadServesTheRest) {
    windows_.RunWebsiteCommand();
    windows_.RunWebsiteCommand();
    EXPECT_EQ(opened_, std::vector<std::string>{"http://tarnwick.example"});
    EXPECT_EQ(websiteRequest, "Website");
    EXPECT_TRUE(windows_.WebsiteWindowShown());

    WaitUntilTheWebsiteWindowCloses();
    EXPECT_FALSE(windows_.WebsiteWindowShown());
    windows_.RunWebsiteCommand();
    EXPECT_EQ(opened_.size(), 2u);
    EXPECT_EQ(websiteRequest, "");
    EXPECT_TRUE(statusTexts_.empty());
}

TEST_F(SecondaryWindowsTest, ADefaultBrowserThatCannotBeStartedIsToldInTheStatus) {
    browserFailure_ = "No application is registered as handling this file";
    windows_.RunWebsiteCommand();
    EXPECT_EQ(statusTexts_, std::vector<std::string>{
                                "Could not start the default browser for http://tarnwick.example: "
                                "No application is registered as handling this file"});
}

// Timers never fire early, but a busy machine may run them late: the window must close,
// and not before its second is up.
TEST_F(SecondaryWindowsTest, TheWebsiteWindowStaysOpenForASecondThenCloses) {
    const auto opened = std::chrono::steady_clock::now();
    windows_.RunWebsiteCommand();
    WaitUntilTheWebsiteWindowCloses();
    EXPECT_FALSE(windows_.WebsiteWindowShown());
    EXPECT_GE(std::chrono::steady_clock::now() - opened, std::chrono::milliseconds(1000));
}

}  // namespace
}  // namespace quorvane

#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "branding/branding_values.h"
#include "main_window/main_window_controller.h"
#include "tests/main_window/call_log.h"
#include "tests/main_window/fake_browser_element.h"
#include "tests/main_window/fake_image_list_pane.h"
#include "tests/main_window/fake_request_list_pane.h"
#include "tests/main_window/fake_side_windows.h"
#include "tests/main_window/fake_source_pane.h"
#include "tests/main_window/fake_surface.h"

namespace quorvane::testing {

// A controller over a fake window, fake Help, About and Website windows and three fake
// browser elements, with a work folder of its own that is removed afterwards. The tab
// strip's Click and the window's unload are connected as the real window connects them.
class ControllerTest : public ::testing::Test {
  protected:
    ControllerTest()
        : workFolder_(std::filesystem::temp_directory_path() /
                      ("quorvane-controller-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          surface_(log_),
          window_(log_),
          windows_(log_),
          browser_("view0", log_),
          source_("view1", log_),
          images_("view2", log_),
          servedSource_(log_),
          controller_(surface_, windows_, FakeViews(), servedSource_, imageList_, imageTable_,
                      requestList_, requestTable_, workFolder_.string()) {
        LoadBrandingValues();
        std::filesystem::create_directories(workFolder_);
        surface_.tabStripClick = [this] { controller_.OnTabSelected(); };
        surface_.unloadMainWindow = [this] { controller_.Unload(); };
    }
    ~ControllerTest() override { std::filesystem::remove_all(workFolder_); }

    // The three fake elements as the views of a controller; the test raises their events.
    MainWindowController::MakeViews FakeViews() {
        return [this](BrowserEvents&) { return ViewElements{&browser_, &source_, &images_}; };
    }

    // The state right after start-up: Browser view shown and at home, log emptied.
    void StartUp() {
        controller_.Load();
        log_.clear();
    }

    // Shows view as the user does, by clicking its tab.
    void ClickTab(int view) {
        surface_.selectedTab = view + 1;
        controller_.OnTabSelected();
        log_.clear();
    }

    // Which views are visible, as "0", "1", "2", "3", "4", "5" or a combination such as "01".
    std::string VisibleElements() const {
        std::string visible;
        if (browser_.Visible())
            visible += '0';
        if (source_.Visible())
            visible += '1';
        if (images_.Visible())
            visible += '2';
        if (servedSource_.Visible())
            visible += '3';
        if (imageList_.Visible())
            visible += '4';
        if (requestList_.Visible())
            visible += '5';
        return visible;
    }

    std::string WorkPath(const std::string& name) const { return (workFolder_ / name).string(); }

    std::filesystem::path workFolder_;
    CallLog log_;
    FakeSurface surface_;
    FakeWindowControls window_;
    FakeSideWindows windows_;
    FakeBrowserElement browser_;
    FakeBrowserElement source_;
    FakeBrowserElement images_;
    FakeSourcePane servedSource_;
    FakeImageListPane imageList_;
    ImageListTable imageTable_;
    FakeRequestListPane requestList_;
    RequestListTable requestTable_;
    MainWindowController controller_;
};

}  // namespace quorvane::testing

#include "main_window/navigation_commands.h"

#include <optional>
#include <string>
#include <utility>

#include "analysis/url_helpers.h"
#include "base/address_scheme.h"
#include "desktop/translation.h"
#include "main_window/skip_browser_errors.h"

namespace quorvane {

namespace {

// Stops elements 0, 1 and 2 in that order; one that cannot stop does not keep the
// others from stopping.
void StopEachSkippingErrors(const std::array<BrowserElement*, 3>& views) {
    for (BrowserElement* element : views) {
        SkipBrowserErrors([element] { element->Stop(); });
    }
}

// A refused value may be a whole picture's data: panel 1 names its start.
std::string NotOpenedMessage(const std::string& value) {
    constexpr std::size_t kShownChars = 120;
    const bool cut = value.size() > kShownChars;
    return Translated("Not opened: {1} is not a web address",
                      {cut ? value.substr(0, kShownChars) + "\u2026" : value});
}

}  // namespace

NavigationCommands::NavigationCommands(WindowViews& views, MainWindowSurface& surface,
                                       AddressBox& addressBox, StatusPanel& status,
                                       PageAnalysisRun& analysis, SaveCommands& saving,
                                       std::function<void(int view)> selectView)
    : views_(views),
      surface_(surface),
      addressBox_(addressBox),
      status_(status),
      analysis_(analysis),
      saving_(saving),
      selectView_(std::move(selectView)) {}

// The address goes to the browser exactly as typed: nothing trimmed, completed or
// prefixed. The visible view stays as it is.
void NavigationCommands::Go() {
    status_.UserAction();
    typedAddress_ = addressBox_.Text();
    addressBox_.Sent();
    views_.Browser().Navigate(typedAddress_);
}

void NavigationCommands::Back() {
    StopEachSkippingErrors(views_.Elements());
    SkipBrowserErrors([this] { views_.VisibleElement().GoBack(); });
}

void NavigationCommands::Forward() {
    StopEachSkippingErrors(views_.Elements());
    SkipBrowserErrors([this] { views_.VisibleElement().GoForward(); });
}

void NavigationCommands::StopAll() {
    for (BrowserElement* element : views_.Elements()) {
        element->Stop();
    }
}

void NavigationCommands::Stop() {
    StopAll();
    saving_.StopSavingImages();
}

// The analysis runs at once on the document as it is before the reload; the reload's
// own LoadFinished analyses the page again.
void NavigationCommands::RefreshPage() {
    StopAll();
    selectView_(WindowViews::kBrowserView);
    views_.Browser().Refresh();
    analysis_.Run();
}

// The box changes before the navigation so that it shows the new address at once.
void NavigationCommands::UpDir() {
    addressBox_.Show(GetUrlDirectory(addressBox_.Text()));
    Go();
    selectView_(WindowViews::kBrowserView);
}

void NavigationCommands::SendToIE() {
    StopEachSkippingErrors(views_.Elements());
    SkipBrowserErrors([this] { addressBox_.Show(views_.VisibleElement().Address()); });
    SkipBrowserErrors([this] { selectView_(WindowViews::kBrowserView); });
    SkipBrowserErrors([this] { views_.Browser().Navigate(addressBox_.Text()); });
}

void NavigationCommands::GoHome() {
    views_.Browser().GoHome();
}

void NavigationCommands::OpenNewWindow() {
    surface_.StartNewWindow({});
}

void NavigationCommands::Open() {
    const std::optional<std::string> chosen = surface_.ChooseFileToOpen();
    if (chosen && !chosen->empty()) {
        views_.Browser().LoadFile(*chosen);
    }
}

void NavigationCommands::Exit() {
    surface_.CloseMainWindow();
}

bool NavigationCommands::OpensFromShownPage(const std::string& target) {
    if (OpensFromPage(target, views_.Browser().Address())) {
        return true;
    }
    RefuseLink(target);
    return false;
}

void NavigationCommands::RefuseLink(const std::string& value) {
    status_.Message(NotOpenedMessage(value));
}

void NavigationCommands::FollowSourceLink(const std::string& target, bool ownSource) {
    if (!OpensFromShownPage(target)) {
        return;
    }
    views_.Browser().Navigate(target);
    if (!ownSource) {
        selectView_(WindowViews::kBrowserView);
    }
}

void NavigationCommands::OpenOriginalSource(const std::string& address) {
    if (!OpensFromShownPage(address)) {
        return;
    }
    views_.Browser().Navigate(address);
    selectView_(WindowViews::kServedSourceView);
}

}  // namespace quorvane

// The navigation commands of the main window: each runs from its button and from its
// menu item alike. Back, Forward and Send to IE skip the steps the browser cannot carry
// out; the others let a failure go on to the caller.
#include <optional>
#include <string>

#include "analysis/url_helpers.h"
#include "main_window/main_window_controller.h"
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

}  // namespace

// The address goes to the browser exactly as typed: nothing trimmed, completed or
// prefixed. The visible view stays as it is.
void MainWindowController::Go() {
    status_.UserAction();
    typedAddress_ = surface_.AddressText();
    views_[kBrowserView]->Navigate(typedAddress_);
}

void MainWindowController::Back() {
    StopEachSkippingErrors(views_);
    SkipBrowserErrors([this] { VisibleElement().GoBack(); });
}

void MainWindowController::Forward() {
    StopEachSkippingErrors(views_);
    SkipBrowserErrors([this] { VisibleElement().GoForward(); });
}

void MainWindowController::StopAll() {
    for (BrowserElement* element : views_) {
        element->Stop();
    }
}

void MainWindowController::Stop() {
    StopAll();
    saving_.Stop();
}

// The analysis runs at once on the document as it is before the reload; the reload's
// own LoadFinished analyses the page again.
void MainWindowController::RefreshPage() {
    StopAll();
    SelectView(kBrowserView);
    views_[kBrowserView]->Refresh();
    AnalysePage();
}

// The box changes before the navigation so that it shows the new address at once.
void MainWindowController::UpDir() {
    surface_.SetAddressText(GetUrlDirectory(surface_.AddressText()));
    Go();
    SelectView(kBrowserView);
}

void MainWindowController::SendToIE() {
    StopEachSkippingErrors(views_);
    SkipBrowserErrors([this] { surface_.SetAddressText(VisibleElement().Address()); });
    SkipBrowserErrors([this] { SelectView(kBrowserView); });
    SkipBrowserErrors([this] { views_[kBrowserView]->Navigate(surface_.AddressText()); });
}

void MainWindowController::GoHome() {
    views_[kBrowserView]->GoHome();
}

void MainWindowController::OpenNewWindow() {
    surface_.StartNewWindow({});
}

void MainWindowController::Open() {
    const std::optional<std::string> chosen = surface_.ChooseFileToOpen();
    if (chosen && !chosen->empty()) {
        views_[kBrowserView]->LoadFile(*chosen);
    }
}

void MainWindowController::Exit() {
    surface_.CloseMainWindow();
}

}  // namespace quorvane

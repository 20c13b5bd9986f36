#pragma once

#include <optional>
#include <string>

#include "saving/picture_conversion.h"
#include "saving/transfer_report.h"

namespace quorvane {

// Where "Save Images…" and "Save Selected Images…" save, and as what.
struct ImagesDestination {
    std::string folder;
    PictureConversion conversion{};
};

// Where the user chose to export the page's requests, and whether with its cookies and
// credentials, and with the text bodies the engine holds.
struct RequestExportChoice {
    std::string file;
    bool includeCredentials = false;
    bool includeTextBodies = false;
};

// What the main window's logic needs from the window's own controls, and from the
// splash window and the process it belongs to. The wx frame implements it; tests use a
// recording fake.
class MainWindowSurface : public TransferReport {
  public:
    virtual ~MainWindowSurface() = default;

    // Start-up.
    virtual void SetWindowIcon() = 0;  // icon "AAA" on the window and its owner
    virtual void SetWebsiteCaptions(
        const std::string& website) = 0;  // the Website button and menu item
    virtual void SetCaption(const std::string& caption) = 0;
    virtual int StatusPanelCount() const = 0;
    virtual void AddStatusPanel() = 0;

    // Controls.
    // Panel 1 shows what a view's engine says of its load (a link's address, "Done"), for
    // whoever looks; the program's own word (SetStatusText) is also said by a screen reader.
    virtual void SetEngineStatusText(const std::string& text) = 0;
    virtual std::string AddressText() const = 0;
    virtual void SetAddressText(const std::string& text) = 0;
    virtual int SelectedTab() const = 0;  // 1..4
    // Selects tab 1..4; when it was not yet selected the tab strip's Click runs first.
    virtual void SelectTab(int tab) = 0;
    // The open-file dialog with its defaults; nullopt or "" when nothing was chosen.
    virtual std::optional<std::string> ChooseFileToOpen() = 0;
    // The folder dialog of "Save Images…" and "Save Selected Images…", opened in
    // startFolder, with its "Convert to" choice as last chosen; nullopt when cancelled.
    virtual std::optional<ImagesDestination> ChooseFolderToSaveImages(
        const std::string& startFolder) = 0;
    // The save dialog of "Save Source…" and "Save Page…", opened in folder with name filled
    // in, the page as served or whole to choose (chosen at first by the name's ending); the
    // path chosen, ending in ".mhtml" or ".mht" for the page whole; nullopt when cancelled.
    virtual std::optional<std::string> ChooseFileToSaveSource(const std::string& folder,
                                                              const std::string& name) = 0;
    // The save dialog of "Export Image List…", opened in folder with name filled in, CSV
    // or JSON to choose; the path chosen, nullopt when cancelled.
    virtual std::optional<std::string> ChooseFileToExportImageList(const std::string& folder,
                                                                   const std::string& name) = 0;
    // The save dialog of "Export Requests…", opened in folder with name filled in and
    // "Include cookies and credentials" not ticked; nullopt when cancelled.
    virtual std::optional<RequestExportChoice> ChooseFileToExportRequests(
        const std::string& folder, const std::string& name) = 0;
    virtual void SetFindStatus(const std::string& status) = 0;  // "3 of 41" on the find bar

    // The window's life.
    virtual void UnloadSplashWindow() = 0;
    virtual void EndProcess() = 0;
    virtual void CloseMainWindow() = 0;  // unloads the main window (runs Unload)
    // Starts another copy of the program, its window loading address ("" its home page).
    virtual void StartNewWindow(const std::string& address) = 0;
};

}  // namespace quorvane

#include "tests/main_window/fake_surface.h"

namespace quorvane::testing {

void FakeSurface::Record(const std::string& call, const std::string& argument) const {
    const std::string entry = "surface." + call + (argument.empty() ? "" : "(" + argument + ")");
    log_.push_back(entry);
    if (afterCall) {
        afterCall(entry);
    }
}

void FakeSurface::SetWebsiteCaptions(const std::string& website) {
    websiteCaption = website;
    Record("SetWebsiteCaptions", website);
}

void FakeSurface::SetCaption(const std::string& text) {
    caption = text;
    Record("SetCaption", text);
}

void FakeSurface::AddStatusPanel() {
    ++panelCount;
    Record("AddStatusPanel");
}

void FakeSurface::SetAddressText(const std::string& text) {
    address = text;
    Record("SetAddressText", text);
}

void FakeSurface::SetStatusText(const std::string& text) {
    statusText = text;
    said.push_back(text);
    Record("SetStatusText", text);
}

void FakeSurface::SetEngineStatusText(const std::string& text) {
    statusText = text;
    Record("SetEngineStatusText", text);
}

void FakeSurface::SetProgress(float max, float value) {
    progressMax = max;
    progressValue = value;
    Record("SetProgress");
}

// Like the real tab strip, selecting a tab that is not yet selected raises its Click.
void FakeSurface::SelectTab(int tab) {
    Record("SelectTab", std::to_string(tab));
    if (tab != selectedTab) {
        selectedTab = tab;
        if (tabStripClick) {
            tabStripClick();
        }
    }
}

std::optional<std::string> FakeSurface::ChooseFileToOpen() {
    Record("ChooseFileToOpen");
    return fileToOpen;
}

std::optional<ImagesDestination> FakeSurface::ChooseFolderToSaveImages(
    const std::string& startFolder) {
    Record("ChooseFolderToSaveImages", startFolder);
    if (!folderToSaveImages) {
        return std::nullopt;
    }
    return ImagesDestination{*folderToSaveImages, conversionToSaveImages};
}

std::optional<std::string> FakeSurface::ChooseFileToSaveSource(const std::string& folder,
                                                               const std::string& name) {
    Record("ChooseFileToSaveSource", folder + ", " + name);
    return fileToSaveSource;
}

std::optional<std::string> FakeSurface::ChooseFileToExportImageList(const std::string& folder,
                                                                    const std::string& name) {
    Record("ChooseFileToExportImageList", folder + ", " + name);
    return fileToExportImageList;
}

std::optional<RequestExportChoice> FakeSurface::ChooseFileToExportRequests(
    const std::string& folder, const std::string& name) {
    Record("ChooseFileToExportRequests", folder + ", " + name);
    return fileToExportRequests;
}

void FakeSurface::SetFindStatus(const std::string& status) {
    findStatus = status;
    Record("SetFindStatus", status);
}

void FakeSurface::CloseMainWindow() {
    Record("CloseMainWindow");
    if (unloadMainWindow) {
        unloadMainWindow();
    }
}

}  // namespace quorvane::testing

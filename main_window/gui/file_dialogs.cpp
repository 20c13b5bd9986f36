#include "main_window/gui/file_dialogs.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

#include <filesystem>
#include <system_error>

#include "saving/whole_page_file.h"

namespace quorvane {

std::optional<std::string> ChooseFileToOpen(wxWindow* parent) {
    wxFileDialog dialog(parent);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath().utf8_string();
}

// The download folder is made when missing, as a download would make it: the dialog
// could not start there otherwise.
std::optional<std::string> ChooseFolderToSaveImages(wxWindow* parent,
                                                    const std::string& startFolder) {
    std::error_code ignored;
    std::filesystem::create_directories(startFolder, ignored);
    wxDirDialog dialog(parent, "Choose a Folder for the Images", wxString::FromUTF8(startFolder));
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath().utf8_string();
}

// The download folder is made when missing, as a download would make it: the dialog
// could not start there otherwise. A file chosen that is there is not replaced: the
// saving takes the next free name, so the dialog does not ask. The name says what is
// saved: the whole page's filter, chosen for a name of a page saved whole, gives the name
// chosen that ending when it has another.
std::optional<std::string> ChooseFileToSaveSource(wxWindow* parent, const std::string& folder,
                                                  const std::string& name) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    wxFileDialog dialog(
        parent, "Save Source", wxString::FromUTF8(folder), wxString::FromUTF8(name),
        "Page as served (exact bytes)|*|Whole page (MHTML)|*.mhtml;*.mht;*.MHTML;*.MHT", wxFD_SAVE);
    constexpr int kWholePage = 1;
    if (IsWholePageFileName(name)) {
        dialog.SetFilterIndex(kWholePage);
    }
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    std::filesystem::path path(dialog.GetPath().utf8_string());
    if (dialog.GetFilterIndex() == kWholePage) {
        path.replace_filename(WholePageFileName(path.filename().string()));
    }
    return path.string();
}

// The JSON filter chosen for a name that ends in ".csv" gives it ".json"; a name of the
// user's with another ending is the user's.
std::optional<std::string> ChooseFileToExportImageList(wxWindow* parent, const std::string& folder,
                                                       const std::string& name) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    wxFileDialog dialog(parent, "Export Image List", wxString::FromUTF8(folder),
                        wxString::FromUTF8(name), "CSV (*.csv)|*.csv|JSON (*.json)|*.json",
                        wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    std::string path = dialog.GetPath().utf8_string();
    if (dialog.GetFilterIndex() == 1 && path.ends_with(".csv")) {
        path.replace(path.size() - 4, 4, ".json");
    }
    return path;
}

}  // namespace quorvane

#include "main_window/gui/file_dialogs.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

#include <filesystem>
#include <system_error>

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
// saving takes the next free name, so the dialog does not ask.
std::optional<std::string> ChooseFileToSaveSource(wxWindow* parent, const std::string& folder,
                                                  const std::string& name) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    wxFileDialog dialog(parent, "Save Source", wxString::FromUTF8(folder), wxString::FromUTF8(name),
                        wxFileSelectorDefaultWildcardStr, wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath().utf8_string();
}

}  // namespace quorvane

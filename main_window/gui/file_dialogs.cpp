#include "main_window/gui/file_dialogs.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/intl.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include "desktop/file_choice.h"
#include "desktop/gui/native_file_chooser.h"
#include "saving/whole_page_file.h"

namespace quorvane {
namespace {

// wxWidgets' own dialogs, for a toolkit without the desktop's chooser.
std::optional<ChosenFile> AskWithWxDialog(wxWindow* parent, const FileChoice& choice) {
    if (choice.kind == FileChoiceKind::Folder) {
        wxDirDialog dialog(parent, wxString::FromUTF8(choice.title),
                           wxString::FromUTF8(choice.folder));
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog.GetHandle());
        AddOptions(chooser, choice);
        if (dialog.ShowModal() != wxID_OK) {
            return std::nullopt;
        }
        return ChosenFile{dialog.GetPath().utf8_string(), 0, ChosenOptions(chooser, choice)};
    }
    wxFileDialog dialog(parent, wxString::FromUTF8(choice.title), wxString::FromUTF8(choice.folder),
                        wxString::FromUTF8(choice.proposedName),
                        wxString::FromUTF8(WildcardOf(choice.filters)),
                        choice.kind == FileChoiceKind::SaveFile ? wxFD_SAVE : wxFD_OPEN);
    if (!choice.filters.empty()) {
        dialog.SetFilterIndex(static_cast<int>(choice.filterShown));
    }
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog.GetHandle());
    AddOptions(chooser, choice);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return ChosenFile{dialog.GetPath().utf8_string(),
                      static_cast<std::size_t>(std::max(dialog.GetFilterIndex(), 0)),
                      ChosenOptions(chooser, choice)};
}

// The desktop's chooser (through its portal where it has one), wxWidgets' elsewhere.
std::optional<ChosenFile> Ask(wxWindow* parent, const FileChoice& choice) {
    const DesktopChooserOutcome outcome = AskTheDesktop(parent, choice);
    switch (outcome.ending) {
        case DesktopChooserEnding::Chosen:
            return outcome.chosen;
        case DesktopChooserEnding::Cancelled:
            return std::nullopt;
        case DesktopChooserEnding::Unavailable:
            break;
    }
    return AskWithWxDialog(parent, choice);
}

// The download folder is made when missing, as a download would make it: the dialog
// could not start there otherwise.
void MakeFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
}

std::string Utf8(const wxString& text) {
    return text.utf8_string();
}

// The qualities offered, best first, with last's among them.
std::vector<std::string> Qualities(int last) {
    std::vector<int> qualities = {100, 95, 90, 85, 80, 75, 70, 60, 50};
    if (std::find(qualities.begin(), qualities.end(), last) == qualities.end()) {
        qualities.push_back(last);
        std::sort(qualities.begin(), qualities.end(), std::greater<>());
    }
    std::vector<std::string> texts;
    for (const int quality : qualities) {
        texts.push_back(std::to_string(quality));
    }
    return texts;
}

// "Convert to" and "JPEG quality", below the folder chooser's list.
std::vector<DialogOption> ConversionOptions(const PictureConversion& last) {
    const std::vector<std::string> qualities = Qualities(last.jpegQuality);
    return {{"convert-to",
             Utf8(_("Convert to")),
             {std::string(FormatSettingName(PictureFormat::Keep)),
              std::string(FormatSettingName(PictureFormat::Png)),
              std::string(FormatSettingName(PictureFormat::Jpeg))},
             {Utf8(_("Keep")), "PNG", "JPEG"},
             std::string(FormatSettingName(last.format))},
            {"jpeg-quality", Utf8(_("JPEG quality")), qualities, qualities,
             std::to_string(last.jpegQuality)}};
}

PictureConversion ChosenConversion(const std::vector<std::string>& chosen,
                                   const PictureConversion& last) {
    PictureConversion conversion = last;
    if (chosen.size() == 2) {
        conversion.format = FormatOfSettingName(chosen[0]).value_or(last.format);
        int quality = last.jpegQuality;
        std::from_chars(chosen[1].data(), chosen[1].data() + chosen[1].size(), quality);
        conversion.jpegQuality = quality;
    }
    return conversion;
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(wxWindow* parent) {
    const std::optional<ChosenFile> chosen =
        Ask(parent, {FileChoiceKind::OpenFile, Utf8(_("Select a file")), "", "", {}, 0});
    return chosen ? std::optional(chosen->path) : std::nullopt;
}

std::optional<ImagesDestination> ChooseFolderToSaveImages(wxWindow* parent,
                                                          const std::string& startFolder,
                                                          const PictureConversion& last) {
    MakeFolder(startFolder);
    FileChoice choice{
        FileChoiceKind::Folder, Utf8(_("Choose a Folder for the Images")), startFolder, "", {}, 0};
    choice.options = ConversionOptions(last);
    const std::optional<ChosenFile> chosen = Ask(parent, choice);
    if (!chosen) {
        return std::nullopt;
    }
    return ImagesDestination{chosen->path, ChosenConversion(chosen->options, last)};
}

// A file chosen that is there is not replaced: the saving takes the next free name, so
// the dialog does not ask. The name says what is saved: the whole page's filter, chosen
// for a name of a page saved whole, gives the name chosen that ending when it has another.
std::optional<std::string> ChooseFileToSaveSource(wxWindow* parent, const std::string& folder,
                                                  const std::string& name) {
    MakeFolder(folder);
    constexpr std::size_t kWholePage = 1;
    const std::optional<ChosenFile> chosen =
        Ask(parent, {FileChoiceKind::SaveFile,
                     Utf8(_("Save Source")),
                     folder,
                     name,
                     {{Utf8(_("Page as served (exact bytes)")), {"*"}},
                      {Utf8(_("Whole page (MHTML)")), {"*.mhtml", "*.mht", "*.MHTML", "*.MHT"}}},
                     IsWholePageFileName(name) ? kWholePage : 0});
    if (!chosen) {
        return std::nullopt;
    }
    std::filesystem::path path(chosen->path);
    if (chosen->filter == kWholePage) {
        path.replace_filename(WholePageFileName(path.filename().string()));
    }
    return path.string();
}

// The tick boxes are off at first: the file is often handed to others, and bodies make it
// large.
std::optional<RequestExportChoice> ChooseFileToExportRequests(wxWindow* parent,
                                                              const std::string& folder,
                                                              const std::string& name) {
    MakeFolder(folder);
    FileChoice choice{FileChoiceKind::SaveFile,    Utf8(_("Export Requests")), folder, name,
                      {{"HAR (*.har)", {"*.har"}}}, 0};
    choice.options = {{"credentials", Utf8(_("Include cookies and credentials")), {}, {}, "false"},
                      {"bodies", Utf8(_("Include text bodies")), {}, {}, "false"}};
    const std::optional<ChosenFile> chosen = Ask(parent, choice);
    if (!chosen) {
        return std::nullopt;
    }
    const auto ticked = [&chosen](std::size_t option) {
        return option < chosen->options.size() && chosen->options[option] == "true";
    };
    return RequestExportChoice{chosen->path, ticked(0), ticked(1)};
}

// The JSON filter chosen for a name that ends in ".csv" gives it ".json"; a name of the
// user's with another ending is the user's.
std::optional<std::string> ChooseFileToExportImageList(wxWindow* parent, const std::string& folder,
                                                       const std::string& name) {
    MakeFolder(folder);
    constexpr std::size_t kJson = 1;
    const std::optional<ChosenFile> chosen =
        Ask(parent, {FileChoiceKind::SaveFile,
                     Utf8(_("Export Image List")),
                     folder,
                     name,
                     {{"CSV (*.csv)", {"*.csv"}}, {"JSON (*.json)", {"*.json"}}},
                     0});
    if (!chosen) {
        return std::nullopt;
    }
    std::string path = chosen->path;
    if (chosen->filter == kJson && path.ends_with(".csv")) {
        path.replace(path.size() - 4, 4, ".json");
    }
    return path;
}

}  // namespace quorvane

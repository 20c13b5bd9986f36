// MainFrame's "Original Source" view: the code viewer on the fourth tab, its look kept in
// the settings file, Go to Line and the dialog of "Save Source…".
#include <wx/filedlg.h>
#include <wx/numdlg.h>
#include <wx/panel.h>

#include <filesystem>
#include <system_error>

#include "inspection/gui/served_source_view.h"
#include "main_window/gui/main_frame.h"

namespace quorvane {

void MainFrame::CreateServedSourceView() {
    servedSource_ = new ServedSourceView(panel_, [this](const std::string& target, bool ownSource) {
        controller_->FollowSourceLink(target, ownSource);
    });
    sourceLook_ = sourceSettings_.Read();
    servedSource_->SetColoured(sourceLook_.coloured);
    servedSource_->SetWrapped(sourceLook_.wrapped);
    servedSource_->Hide();
    Place(servedSource_, places_.views);
}

void MainFrame::GoToSourceLine() {
    const long line = wxGetNumberFromUser("Line number:", wxString(), "Go to Line",
                                          servedSource_->GetCurrentLine() + 1, 1,
                                          servedSource_->GetLineCount(), this);
    if (line > 0) {
        servedSource_->GoToLineNumber(static_cast<int>(line));
    }
}

void MainFrame::FlipSourceSwitch(SourceSwitch which) {
    switch (which) {
        case SourceSwitch::Wrap:
            sourceLook_.wrapped = !sourceLook_.wrapped;
            servedSource_->SetWrapped(sourceLook_.wrapped);
            break;
        case SourceSwitch::Colour:
            sourceLook_.coloured = !sourceLook_.coloured;
            servedSource_->SetColoured(sourceLook_.coloured);
            break;
        case SourceSwitch::Reformat:
            // Reformatting is for the page at hand and is not kept.
            servedSource_->SetReformatted(!servedSource_->Reformatted());
            return;
    }
    // A look that cannot be kept still applies for this run.
    sourceSettings_.Write(sourceLook_);
}

bool MainFrame::SourceSwitchOn(SourceSwitch which) const {
    switch (which) {
        case SourceSwitch::Wrap:
            return sourceLook_.wrapped;
        case SourceSwitch::Colour:
            return sourceLook_.coloured;
        case SourceSwitch::Reformat:
            return servedSource_->Reformatted();
    }
    return false;
}

// The download folder is made when missing, as a download would make it: the dialog
// could not start there otherwise. A file chosen that is there is not replaced: the
// saving takes the next free name, so the dialog does not ask.
std::optional<std::string> MainFrame::ChooseFileToSaveSource(const std::string& folder,
                                                             const std::string& name) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    wxFileDialog dialog(this, "Save Source", wxString::FromUTF8(folder), wxString::FromUTF8(name),
                        wxFileSelectorDefaultWildcardStr, wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath().utf8_string();
}

}  // namespace quorvane

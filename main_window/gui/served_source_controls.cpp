#include "main_window/gui/served_source_controls.h"

#include <wx/numdlg.h>

#include <utility>

#include "inspection/gui/served_source_view.h"

namespace quorvane {

ServedSourceControls::ServedSourceControls(wxWindow* panel,
                                           const std::filesystem::path& settingsFile,
                                           FollowLink follow, RefuseLink refuse)
    : settings_(settingsFile),
      look_(settings_.Read()),
      view_(new ServedSourceView(panel, std::move(follow), std::move(refuse))) {
    view_->SetColoured(look_.coloured);
    view_->SetWrapped(look_.wrapped);
    view_->Hide();
}

void ServedSourceControls::GoToLine(wxWindow* dialogParent) {
    const long line =
        wxGetNumberFromUser("Line number:", wxString(), "Go to Line", view_->GetCurrentLine() + 1,
                            1, view_->GetLineCount(), dialogParent);
    if (line > 0) {
        view_->GoToLineNumber(static_cast<int>(line));
    }
}

void ServedSourceControls::FlipSwitch(SourceSwitch which) {
    switch (which) {
        case SourceSwitch::Wrap:
            look_.wrapped = !look_.wrapped;
            view_->SetWrapped(look_.wrapped);
            break;
        case SourceSwitch::Colour:
            look_.coloured = !look_.coloured;
            view_->SetColoured(look_.coloured);
            break;
        case SourceSwitch::Reformat:
            // Reformatting is for the page at hand and is not kept.
            view_->SetReformatted(!view_->Reformatted());
            return;
    }
    // A look that cannot be kept still applies for this run.
    settings_.Write(look_);
}

bool ServedSourceControls::SwitchOn(SourceSwitch which) const {
    switch (which) {
        case SourceSwitch::Wrap:
            return look_.wrapped;
        case SourceSwitch::Colour:
            return look_.coloured;
        case SourceSwitch::Reformat:
            return view_->Reformatted();
    }
    return false;
}

}  // namespace quorvane

#include "main_window/gui/served_source_controls.h"

#include <wx/intl.h>
#include <wx/numdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/splitter.h>

#include <utility>

#include "desktop/gui/code_view_accessible.h"
#include "inspection/gui/served_source_view.h"
#include "inspection/served_source_text.h"
#include "main_window/gui/command_binding.h"
#include "requests/gui/headers_pane.h"
#include "source_changes/gui/source_mode_bar.h"
#include "source_changes/source_modes.h"

namespace quorvane {

ServedSourceControls::ServedSourceControls(wxWindow* panel,
                                           const std::filesystem::path& settingsFile,
                                           FollowLink follow, RefuseLink refuse)
    : settings_(settingsFile),
      look_(settings_.Read()),
      modeSettings_(settingsFile),
      keptMode_(modeSettings_.Read()),
      page_(new wxPanel(panel)) {
    bar_ = new SourceModeBar(
        page_, [this](SourceMode mode) { ChooseMode(mode); },
        [this](const std::string& address) { ChooseFrame(address); }, [this] { ReadPageAgain(); });
    split_ = new wxSplitterWindow(page_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxSP_LIVE_UPDATE | wxSP_3DSASH);
    view_ = new ServedSourceView(split_, std::move(follow), std::move(refuse));
    headers_ = new HeadersPane(split_);
    split_->SetMinimumPaneSize(page_->FromDIP(80));
    // The headers keep a third of the width as the window grows.
    split_->SetSashGravity(2.0 / 3);
    split_->Initialize(view_);
    headers_->Hide();
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(bar_, 0, wxEXPAND);
    column->Add(split_, 1, wxEXPAND);
    page_->SetSizer(column);
    view_->SetColoured(look_.coloured);
    view_->SetWrapped(look_.wrapped);
    ShowHeadersPane(look_.headersShown);
    BindSwitchKeys();
    ExposeCodeViewText(*view_, _("Original Source"));
    pane_ = std::make_unique<ServedSourceViewPane>(*view_, page_);
    // The comparison's answers come back through the page's queue, which takes steps from
    // any thread; the worker stops before the page goes.
    LiveDocumentReader& reader = *this;
    ServedFrameReader& frameReader = *this;
    modes_ = std::make_unique<SourceModes>(
        *pane_, reader, frameReader,
        [page = page_](std::function<void()> step) { page->CallAfter(std::move(step)); }, keptMode_,
        [this] { OnModesChanged(); });
    encoding_ = std::make_unique<ServedEncoding>(*modes_);
    OnModesChanged();
    pane_->SetVisible(false);
}

// Scintilla takes Ctrl+Alt with a letter for AltGr and the key for text, and GTK's input
// method Ctrl+Shift+U for the start of a character's number, both before the window's
// shortcuts see them: the switch's keys go to their commands here.
void ServedSourceControls::BindSwitchKeys() {
    view_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        const int modifiers = event.GetModifiers();
        if (event.GetKeyCode() == 'U' && (modifiers == (wxMOD_CONTROL | wxMOD_ALT) ||
                                          modifiers == (wxMOD_CONTROL | wxMOD_SHIFT))) {
            const CommandId id =
                modifiers & wxMOD_ALT ? CommandId::SourceChanges : CommandId::SourceAsNow;
            wxCommandEvent command(wxEVT_MENU, CommandWindowId(id));
            wxGetTopLevelParent(view_)->GetEventHandler()->ProcessEvent(command);
            return;
        }
        event.Skip();
    });
}

ServedSourceControls::~ServedSourceControls() = default;

wxWindow* ServedSourceControls::Page() const {
    return page_;
}

ServedSourcePane& ServedSourceControls::Pane() {
    return *encoding_;
}

void ServedSourceControls::ReadServedBytesFrom(BrowserViewElement& browser) {
    browser_ = &browser;
    encoding_->ReadBytesFrom(browser);
}

void ServedSourceControls::ReadHeadersFrom(std::function<std::string()> text) {
    headersText_ = std::move(text);
    RefreshHeaders();
}

void ServedSourceControls::RefreshHeaders() {
    if (split_->IsSplit()) {
        headers_->ShowText(headersText_());
    }
}

std::string ServedSourceControls::HeadersText() const {
    return split_->IsSplit() ? headers_->Text() : std::string();
}

void ServedSourceControls::ShowHeadersPane(bool shown) {
    if (shown && !split_->IsSplit()) {
        split_->SplitVertically(view_, headers_, split_->GetSize().x * 2 / 3);
        RefreshHeaders();
    } else if (!shown && split_->IsSplit()) {
        split_->Unsplit(headers_);
    }
}

void ServedSourceControls::ChooseEncoding(std::string_view name) {
    if (const std::optional<WebEncoding> encoding = EncodingForLabel(name)) {
        encoding_->Choose(*encoding);
    }
}

std::string ServedSourceControls::ShownEncoding() const {
    return encoding_->ShownEncoding();
}

void ServedSourceControls::ReadLivePageFrom(std::unique_ptr<LiveDocumentReader> reader) {
    reader_ = std::move(reader);
}

void ServedSourceControls::ReadLiveDocument(const std::string& frameAddress,
                                            LiveDocumentReader::Done done) {
    if (reader_ == nullptr) {
        done(std::nullopt);
        return;
    }
    reader_->ReadLiveDocument(frameAddress, std::move(done));
}

void ServedSourceControls::ListFrames(FramesDone done) {
    if (reader_ == nullptr) {
        done({});
        return;
    }
    reader_->ListFrames(std::move(done));
}

// The frame's document as the engine received it, read in the encoding its own response
// and bytes name.
void ServedSourceControls::ReadServedFrame(const std::string& address,
                                           ServedFrameReader::Done done) {
    if (browser_ == nullptr) {
        done(std::nullopt);
        return;
    }
    browser_->ReadCopy(address, [done = std::move(done)](std::optional<ServedResource> copy) {
        if (!copy || copy->bytes.empty()) {
            done(std::nullopt);
            return;
        }
        done(DecodeServedSource(copy->bytes, copy->mimeType, copy->charset).text);
    });
}

void ServedSourceControls::GoToLine(wxWindow* dialogParent) {
    const long line =
        wxGetNumberFromUser(_("Line number:"), wxString(), _("Go to Line"),
                            view_->GetCurrentLine() + 1, 1, view_->GetLineCount(), dialogParent);
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
        case SourceSwitch::Headers:
            look_.headersShown = !look_.headersShown;
            ShowHeadersPane(look_.headersShown);
            break;
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
        case SourceSwitch::Headers:
            return look_.headersShown;
    }
    return false;
}

void ServedSourceControls::ChooseMode(SourceMode mode) {
    modes_->Choose(mode);
}

SourceMode ServedSourceControls::Mode() const {
    return modes_->Mode();
}

void ServedSourceControls::ChooseFrame(const std::string& address) {
    modes_->ChooseFrame(address);
}

void ServedSourceControls::ShowResource(const std::string& address) {
    modes_->ChooseResource(address, browser_ != nullptr ? browser_->Address() : std::string());
}

std::vector<std::string> ServedSourceControls::Frames() const {
    return modes_->Frames();
}

std::string ServedSourceControls::ChosenFrame() const {
    return modes_->ChosenFrame();
}

void ServedSourceControls::GoToChange(bool next) {
    if (next) {
        modes_->GoToNextChange();
    } else {
        modes_->GoToPreviousChange();
    }
}

void ServedSourceControls::ReadPageAgain() {
    modes_->ReadLiveAgain();
}

std::string ServedSourceControls::ModeNote() const {
    return bar_->Note();
}

// Called while modes_ is made, too: it may not be there yet.
void ServedSourceControls::OnModesChanged() {
    if (modes_ == nullptr) {
        bar_->ShowState(keptMode_, {});
        return;
    }
    bar_->ShowState(modes_->Mode(), modes_->Note());
    bar_->ShowFrames(modes_->Frames(), modes_->ChosenFrame());
    if (modes_->Mode() != keptMode_) {
        keptMode_ = modes_->Mode();
        // A mode that cannot be kept still applies for this run.
        modeSettings_.Write(keptMode_);
    }
}

}  // namespace quorvane

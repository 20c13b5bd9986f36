#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/live_document_reader.h"
#include "inspection/gui/served_source_settings.h"
#include "main_window/commands.h"
#include "main_window/gui/served_source_view_pane.h"
#include "inspection/served_encoding.h"
#include "source_changes/gui/source_mode_settings.h"
#include "source_changes/served_frame_reader.h"

class wxPanel;
class wxSplitterWindow;
class wxWindow;

namespace quorvane {

class HeadersPane;
class ServedSourceView;
class SourceModeBar;
class SourceModes;

// The "Original Source" view on the fourth tab: the code viewer under the bar that switches
// between the page as served, as it is now and the changes, its look and mode kept in the
// settings file, Go to Line, and the page's headers beside the text when asked.
class ServedSourceControls : private LiveDocumentReader, private ServedFrameReader {
  public:
    // follow: a link of the view was clicked (target, and whether its own source is asked).
    using FollowLink = std::function<void(const std::string& target, bool ownSource)>;
    // refuse: a link was clicked whose value makes no address the view follows.
    using RefuseLink = std::function<void(const std::string& value)>;
    // settingsFile: where the look is kept.
    ServedSourceControls(wxWindow* panel, const std::filesystem::path& settingsFile,
                         FollowLink follow, RefuseLink refuse);
    ~ServedSourceControls() override;
    ServedSourceControls(const ServedSourceControls&) = delete;
    ServedSourceControls& operator=(const ServedSourceControls&) = delete;

    ServedSourceView* View() const { return view_; }
    // The bar and the view under it, placed as one.
    wxWindow* Page() const;
    // Where the window's logic shows the served text: the switch, in front of the view.
    ServedSourcePane& Pane();
    // The Browser view's live document, once its engine is made; until then there is none.
    void ReadLivePageFrom(std::unique_ptr<LiveDocumentReader> reader);
    // The Browser view, whose page's bytes are read again in the encoding the user chooses.
    void ReadServedBytesFrom(BrowserViewElement& browser);
    // What the headers pane shows: the page's status line, redirect chain and headers.
    void ReadHeadersFrom(std::function<std::string()> text);
    // The headers may have changed: the pane, when shown, shows them again.
    void RefreshHeaders();
    // What the headers pane shows; "" while it is hidden.
    std::string HeadersText() const;
    // Reads the served text again in the encoding named (a name of EncodingChoices()).
    void ChooseEncoding(std::string_view name);
    std::string ShownEncoding() const;

    // Asks for a line number and shows that line.
    void GoToLine(wxWindow* dialogParent);
    void FlipSwitch(SourceSwitch which);
    bool SwitchOn(SourceSwitch which) const;
    void ChooseMode(SourceMode mode);
    SourceMode Mode() const;
    // The texts of the frame at address, or of the main document for "".
    void ChooseFrame(const std::string& address);
    // Another file of the page, at address, as served (SourceModes::ChooseResource).
    void ShowResource(const std::string& address);
    // The frames offered, and the one chosen, for the tests.
    std::vector<std::string> Frames() const;
    std::string ChosenFrame() const;
    void GoToChange(bool next);
    void ReadPageAgain();
    // What the bar says of the mode, for the tests.
    std::string ModeNote() const;

  private:
    void BindSwitchKeys();
    void ReadLiveDocument(const std::string& frameAddress, LiveDocumentReader::Done done) override;
    void ListFrames(FramesDone done) override;
    void ReadServedFrame(const std::string& address, ServedFrameReader::Done done) override;
    void OnModesChanged();
    void ShowHeadersPane(bool shown);

    ServedSourceSettings settings_;
    ServedSourceLook look_;
    SourceModeSettings modeSettings_;
    SourceMode keptMode_;
    wxPanel* page_;
    SourceModeBar* bar_;
    wxSplitterWindow* split_;
    ServedSourceView* view_;
    HeadersPane* headers_;
    std::function<std::string()> headersText_ = [] { return std::string(); };
    std::unique_ptr<LiveDocumentReader> reader_;
    BrowserViewElement* browser_ = nullptr;
    std::unique_ptr<ServedSourceViewPane> pane_;
    std::unique_ptr<SourceModes> modes_;
    std::unique_ptr<ServedEncoding> encoding_;  // in front of modes_
};

}  // namespace quorvane

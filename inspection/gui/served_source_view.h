#pragma once

#include <wx/stc/stc.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/ordered_worker.h"
#include "desktop/gui/idle_steps.h"
#include "inspection/hotspots.h"
#include "inspection/marked_lines.h"
#include "inspection/served_source_pane.h"
#include "inspection/shown_links.h"
#include "inspection/source_find.h"

namespace quorvane {

// The "Original Source" view: a page's text as it was served, in a read-only code viewer
// with the HTML lexer and line numbers. Every address of the text (ShownLinks) is a link:
// a click follows it, a click with Ctrl or Shift asks for its own source. The text can be
// shown reformatted, one element per line, and back as it came.
//
// Very long texts cost no long stall: the text goes into the viewer in pieces, its links
// are found beside the window (a newer text stops the scan of the one before, and the
// window never waits for a scan) and underlined only where the view is looked at, the
// lexer colours what is shown first and the rest while the program is idle, and lines
// longer than kMaxShownLineBytes are shown in pieces, an arrow in the margin marking each
// piece that goes on the line above.
class ServedSourceView : public wxStyledTextCtrl, public ServedSourcePane {
  public:
    // target: the link's address; ownSource: its own source was asked for, not the page.
    using Follow = std::function<void(const std::string& target, bool ownSource)>;
    // value: a link's value that makes no address the view follows.
    using Refuse = std::function<void(const std::string& value)>;

    ServedSourceView(wxWindow* parent, Follow follow, Refuse refuse);
    ~ServedSourceView() override;

    // ServedSourcePane. The text is UTF-8 but for bytes that are no character; it is
    // shown from its first line.
    bool Visible() const override { return IsShown(); }
    void SetVisible(bool visible) override { Show(visible); }
    void ShowSource(std::string text, std::string pageAddress) override;
    SourceMatches Find(const std::string& what, const SourceFindOptions& options,
                       unsigned maxMatches) override;
    void FindNext() override;
    void FindPrevious() override;
    void EndFind() override;
    std::size_t CurrentMatch() const override { return current_; }
    double ZoomLevel() const override;
    void SetZoomLevel(double level) override;

    const std::string& PageAddress() const { return pageAddress_; }
    // The text as shown: the source as it came, or reformatted, with its long lines broken.
    std::string_view ShownText() const { return *shown_; }
    // Whether all of the text is in the viewer and its links are known.
    bool Complete() const { return appended_ == shown_->size() && links_ != nullptr; }

    void SetColoured(bool coloured);
    void SetWrapped(bool wrapped);
    void SetReformatted(bool reformatted);
    bool Reformatted() const { return reformatted_; }
    // Scrolls line (counted from 1; past the last, the last) into the view's middle with
    // the caret at its start.
    void GoToLineNumber(int line);

    // Shows text as given, reformatted or not, each line of marks marked in the margin and
    // coloured, until ShowSource shows a source again.
    void ShowMarkedText(std::string text, std::string pageAddress, std::vector<MarkedLine> marks);
    // The line of the text given (from 0) that holds the caret, and one to show there as
    // GoToLineNumber does: a long line the view shows in pieces counts as one.
    std::uint32_t CaretTextLine();
    void GoToTextLine(std::uint32_t line);

  private:
    void ShowAsAsked();
    void Fill(std::shared_ptr<const std::string> text);
    void AppendPiece(unsigned filling);
    // Puts the rest of the text into the viewer at once, for what needs all of it.
    void FinishFilling();
    void StartLinkScan(std::shared_ptr<const std::string> text, std::vector<std::uint32_t> breaks);
    void MarkVisibleHotspots();
    void MarkChunk(std::size_t chunk);
    void SelectMatch(std::size_t index);
    void OnIndicatorClick(wxStyledTextEvent& event);
    void DefineChangeMarkers();
    void MarkAppendedLines();

    Follow follow_;
    Refuse refuse_;
    std::shared_ptr<const std::string> exact_;  // the source as it came
    std::string pageAddress_;
    bool showingReformatted_ = false;
    bool reformatted_ = false;
    bool coloured_ = true;
    std::shared_ptr<const std::string> shown_;
    std::size_t appended_ = 0;  // how much of shown_ is in the viewer
    unsigned filling_ = 0;      // numbers the texts shown, so a late piece is known
    std::shared_ptr<const ShownLinks> links_;  // of shown_, once scanned
    std::vector<bool> markedChunks_;           // the stretches whose links are underlined
    std::vector<TextRange> matches_;
    bool marked_ = false;  // the text is shown as given, with its marks
    std::vector<MarkedLine> marks_;
    std::size_t marksShown_ = 0;  // how many of marks_ are on the viewer's lines
    std::size_t continuedBeforeMark_ = 0;  // of continued_, before the next mark's line
    std::vector<std::uint32_t> continued_;  // the shown lines that go on the line above
    std::size_t current_ = 0;
    std::string findWhat_;
    SourceFindOptions findOptions_;
    unsigned findMax_ = 0;
    // The text's pieces wait here for the loop's next turn, so that input and drawing go
    // between them.
    IdleSteps pieces_;
    // Last, so that no scan answers once the rest has gone.
    OrderedWorker linkScan_{[this](std::function<void()> step) { CallAfter(std::move(step)); },
                            OrderedWorker::Order::NewestSupersedes};
};

}  // namespace quorvane

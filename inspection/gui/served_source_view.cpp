#include "inspection/gui/served_source_view.h"

#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "inspection/gui/source_colours.h"
#include "inspection/shown_lines.h"
#include "inspection/source_reformatting.h"

namespace quorvane {
namespace {

// The lexer keeps indicators 0 to 7; these are the view's own.
constexpr int kLinkIndicator = 8;
constexpr int kMatchIndicator = 9;
constexpr int kContinuedMarker = 0;
constexpr int kLineNumberMargin = 0;
constexpr int kContinuedMargin = 1;
// Links are underlined in stretches of this many bytes, as they come into view.
constexpr std::size_t kChunkBytes = 4096;
// The text goes into the viewer this much at a time, the first piece at once. Each marked
// line costs the viewer a redraw of its own as it is marked, so a text with marks goes in
// smaller pieces.
constexpr std::size_t kPieceBytes = std::size_t{2} << 20;
constexpr std::size_t kMarkedPieceBytes = std::size_t{256} << 10;
constexpr double kFontPoints = kSourceFontPoints;
// The lines only the served or only the live text has: a symbol in a margin of their own,
// and the line coloured.
constexpr int kServedOnlyMarker = 1;
constexpr int kLiveOnlyMarker = 2;
constexpr int kServedOnlyLineMarker = 3;
constexpr int kLiveOnlyLineMarker = 4;
constexpr int kChangesMargin = 2;

}  // namespace

ServedSourceView::ServedSourceView(wxWindow* parent, Follow follow, Refuse refuse)
    : wxStyledTextCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE),
      follow_(std::move(follow)),
      refuse_(std::move(refuse)),
      exact_(std::make_shared<const std::string>()),
      shown_(exact_) {
    SetCodePage(wxSTC_CP_UTF8);
    SetUndoCollection(false);
    // Nothing here listens to changes, and telling of one costs a copy of the text.
    SetModEventMask(0);
    SetReadOnly(true);
    SetIdleStyling(wxSTC_IDLESTYLING_ALL);
    SetLayoutCache(wxSTC_CACHE_PAGE);
    SetScrollWidth(1);
    SetScrollWidthTracking(true);
    SetWrapVisualFlags(wxSTC_WRAPVISUALFLAG_END);
    SetMarginType(kLineNumberMargin, wxSTC_MARGIN_NUMBER);
    SetMarginType(kContinuedMargin, wxSTC_MARGIN_SYMBOL);
    SetMarginMask(kContinuedMargin, 1 << kContinuedMarker);
    SetMarginWidth(kContinuedMargin, 0);
    MarkerDefine(kContinuedMarker, wxSTC_MARK_SHORTARROW);
    SetLexer(wxSTC_LEX_HTML);
    ApplySourceColours(*this, coloured_);
    IndicatorSetStyle(kLinkIndicator, wxSTC_INDIC_PLAIN);
    IndicatorSetForeground(kLinkIndicator, StyleGetForeground(wxSTC_H_TAG));
    IndicatorSetHoverStyle(kLinkIndicator, wxSTC_INDIC_FULLBOX);
    IndicatorSetStyle(kMatchIndicator, wxSTC_INDIC_ROUNDBOX);
    IndicatorSetForeground(kMatchIndicator, wxColour(0xF0, 0xC0, 0x00));
    IndicatorSetAlpha(kMatchIndicator, 110);
    IndicatorSetUnder(kMatchIndicator, true);
    Bind(wxEVT_STC_UPDATEUI, [this](wxStyledTextEvent& event) {
        MarkVisibleHotspots();
        event.Skip();
    });
    Bind(wxEVT_STC_INDICATOR_CLICK, &ServedSourceView::OnIndicatorClick, this);
    DefineChangeMarkers();
}

// The scan's answer is queued to this window: the worker stops it before the window goes.
ServedSourceView::~ServedSourceView() = default;

void ServedSourceView::ShowSource(std::string text, std::string pageAddress) {
    exact_ = std::make_shared<const std::string>(std::move(text));
    pageAddress_ = std::move(pageAddress);
    findWhat_.clear();
    marked_ = false;
    marks_.clear();
    ShowAsAsked();
}

void ServedSourceView::ShowAsAsked() {
    showingReformatted_ = reformatted_;
    // A search open on the text goes on in the text that replaces it.
    const std::string what = findWhat_;
    Fill(reformatted_ && !marked_ ? std::make_shared<const std::string>(ReformatSource(*exact_))
                                  : exact_);
    if (!what.empty()) {
        Find(what, findOptions_, findMax_);
    }
}

// The links are found in the text itself, not in its pieces: a piece's edge may fall
// inside an address.
void ServedSourceView::Fill(std::shared_ptr<const std::string> text) {
    EndFind();
    ShownLines shown = BreakLongLines(*text);
    shown_ =
        shown.breaks.empty() ? text : std::make_shared<const std::string>(std::move(shown.text));
    links_.reset();
    markedChunks_.assign(shown_->size() / kChunkBytes + 1, false);
    const unsigned filling = ++filling_;
    SetReadOnly(false);
    ClearAll();
    MarkerDeleteAll(kContinuedMarker);
    for (const int marker :
         {kServedOnlyMarker, kLiveOnlyMarker, kServedOnlyLineMarker, kLiveOnlyLineMarker}) {
        MarkerDeleteAll(marker);
    }
    SetReadOnly(true);
    appended_ = 0;
    continued_ = shown.continued;
    marksShown_ = 0;
    continuedBeforeMark_ = 0;
    SetMarginWidth(kChangesMargin, marks_.empty() ? 0 : FromDIP(14));
    AppendPiece(filling);
    for (const std::uint32_t line : shown.continued) {
        MarkerAdd(static_cast<int>(line), kContinuedMarker);
    }
    SetMarginWidth(kContinuedMargin, shown.continued.empty() ? 0 : FromDIP(12));
    GotoPos(0);
    StartLinkScan(std::move(text), std::move(shown.breaks));
}

void ServedSourceView::AppendPiece(unsigned filling) {
    if (filling != filling_ || appended_ == shown_->size()) {
        return;
    }
    const std::size_t piece =
        std::min(marks_.empty() ? kPieceBytes : kMarkedPieceBytes, shown_->size() - appended_);
    SetReadOnly(false);
    AppendTextRaw(shown_->data() + appended_, static_cast<int>(piece));
    SetReadOnly(true);
    appended_ += piece;
    MarkAppendedLines();
    // The number margin fits the last line's number.
    SetMarginWidth(kLineNumberMargin,
                   TextWidth(wxSTC_STYLE_LINENUMBER, "_" + std::to_string(GetLineCount()) + "_"));
    if (appended_ < shown_->size()) {
        pieces_.Post([this, filling] { AppendPiece(filling); });
    }
}

void ServedSourceView::FinishFilling() {
    while (appended_ < shown_->size()) {
        AppendPiece(filling_);
    }
}

// The scan holds its text by a shared pointer and ends early once a newer text supersedes
// it, so a page of many megabytes shown after another costs the window no wait.
void ServedSourceView::StartLinkScan(std::shared_ptr<const std::string> text,
                                     std::vector<std::uint32_t> breaks) {
    linkScan_.Post([this, text = std::move(text), breaks = std::move(breaks)](
                       std::stop_token stop) mutable -> std::function<void()> {
        auto links = std::make_shared<const ShownLinks>(std::move(text), std::move(breaks), stop);
        if (stop.stop_requested()) {
            return {};
        }
        return [this, links] {
            links_ = links;
            MarkVisibleHotspots();
        };
    });
}

void ServedSourceView::SetColoured(bool coloured) {
    coloured_ = coloured;
    SetLexer(coloured ? wxSTC_LEX_HTML : wxSTC_LEX_NULL);
    ApplySourceColours(*this, coloured);
    if (!coloured) {
        ClearDocumentStyle();
    }
    Colourise(0, GetLineEndPosition(GetFirstVisibleLine() + LinesOnScreen()));
    Refresh();
}

void ServedSourceView::SetWrapped(bool wrapped) {
    SetWrapMode(wrapped ? wxSTC_WRAP_WORD : wxSTC_WRAP_NONE);
}

void ServedSourceView::SetReformatted(bool reformatted) {
    reformatted_ = reformatted;
    if (reformatted != showingReformatted_ && !marked_) {
        ShowAsAsked();
    }
}

// The viewer zooms in points added to its font's size.
double ServedSourceView::ZoomLevel() const {
    return 1.0 + GetZoom() / kFontPoints;
}

void ServedSourceView::SetZoomLevel(double level) {
    SetZoom(static_cast<int>(std::lround((level - 1.0) * kFontPoints)));
}

void ServedSourceView::GoToLineNumber(int line) {
    FinishFilling();
    const int index = std::clamp(line - 1, 0, GetLineCount() - 1);
    EnsureVisibleEnforcePolicy(index);
    SetFirstVisibleLine(std::max(0, VisibleFromDocLine(index) - LinesOnScreen() / 2));
    GotoPos(PositionFromLine(index));
    SetFocus();
}

void ServedSourceView::MarkVisibleHotspots() {
    if (!links_ || links_->Empty() || GetLength() == 0) {
        return;
    }
    const int lineHeight = std::max(1, TextHeight(0));
    const wxSize size = GetClientSize();
    for (int y = 0; y < size.y + lineHeight; y += lineHeight) {
        const std::size_t from = std::max(0, PositionFromPoint(wxPoint(0, y)));
        const std::size_t to = std::max(0, PositionFromPoint(wxPoint(size.x, y)));
        for (std::size_t chunk = from / kChunkBytes; chunk <= to / kChunkBytes; ++chunk) {
            MarkChunk(chunk);
        }
    }
}

void ServedSourceView::MarkChunk(std::size_t chunk) {
    if (chunk >= markedChunks_.size() || markedChunks_[chunk] ||
        (chunk + 1) * kChunkBytes > appended_ + kChunkBytes) {
        return;
    }
    markedChunks_[chunk] = true;
    SetIndicatorCurrent(kLinkIndicator);
    for (const TextRange& range : links_->Within(chunk * kChunkBytes, (chunk + 1) * kChunkBytes)) {
        IndicatorFillRange(static_cast<int>(range.begin),
                           static_cast<int>(range.end - range.begin));
    }
}

void ServedSourceView::OnIndicatorClick(wxStyledTextEvent& event) {
    if (!links_ || (IndicatorAllOnFor(event.GetPosition()) & (1 << kLinkIndicator)) == 0) {
        return;
    }
    std::optional<ShownLink> link = links_->At(event.GetPosition(), pageAddress_);
    if (!link) {
        return;
    }
    if (!link->target) {
        refuse_(link->value);
        return;
    }
    const bool ownSource = (event.GetModifiers() & (wxSTC_KEYMOD_CTRL | wxSTC_KEYMOD_SHIFT)) != 0;
    // The follower may change what the view shows: not while Scintilla is still in its click.
    CallAfter([this, target = std::move(*link->target), ownSource] { follow_(target, ownSource); });
}

SourceMatches ServedSourceView::Find(const std::string& what, const SourceFindOptions& options,
                                     unsigned maxMatches) {
    EndFind();
    FinishFilling();
    findWhat_ = what;
    findOptions_ = options;
    findMax_ = maxMatches;
    SourceMatches found = FindInSource(ShownText(), what, options, maxMatches);
    matches_ = found.ranges;
    SetIndicatorCurrent(kMatchIndicator);
    for (const TextRange& range : matches_) {
        IndicatorFillRange(static_cast<int>(range.begin),
                           static_cast<int>(range.end - range.begin));
    }
    if (!matches_.empty()) {
        const auto from = static_cast<std::uint32_t>(GetSelectionStart());
        const auto next =
            std::find_if(matches_.begin(), matches_.end(),
                         [from](const TextRange& range) { return range.begin >= from; });
        SelectMatch(next == matches_.end() ? 0 : next - matches_.begin());
    }
    return found;
}

void ServedSourceView::SelectMatch(std::size_t index) {
    current_ = index + 1;
    const TextRange& match = matches_[index];
    EnsureVisibleEnforcePolicy(LineFromPosition(static_cast<int>(match.begin)));
    SetSelection(match.begin, match.end);
    ScrollRange(static_cast<int>(match.end), static_cast<int>(match.begin));
}

void ServedSourceView::FindNext() {
    if (!matches_.empty()) {
        SelectMatch(current_ % matches_.size());
    }
}

void ServedSourceView::FindPrevious() {
    if (!matches_.empty()) {
        SelectMatch((current_ + matches_.size() - 2) % matches_.size());
    }
}

void ServedSourceView::EndFind() {
    SetIndicatorCurrent(kMatchIndicator);
    IndicatorClearRange(0, GetLength());
    matches_.clear();
    current_ = 0;
    findWhat_.clear();
}

void ServedSourceView::DefineChangeMarkers() {
    const bool dark = wxSystemSettings::GetAppearance().IsDark();
    const wxColour servedOnly = dark ? wxColour(0x55, 0x22, 0x22) : wxColour(0xFF, 0xDD, 0xDD);
    const wxColour liveOnly = dark ? wxColour(0x1F, 0x47, 0x1F) : wxColour(0xD8, 0xF5, 0xD8);
    SetMarginType(kChangesMargin, wxSTC_MARGIN_SYMBOL);
    SetMarginMask(kChangesMargin, (1 << kServedOnlyMarker) | (1 << kLiveOnlyMarker));
    SetMarginWidth(kChangesMargin, 0);
    MarkerDefine(kServedOnlyMarker, wxSTC_MARK_MINUS, wxColour(0xB0, 0x20, 0x20), servedOnly);
    MarkerDefine(kLiveOnlyMarker, wxSTC_MARK_PLUS, wxColour(0x20, 0x80, 0x20), liveOnly);
    MarkerDefine(kServedOnlyLineMarker, wxSTC_MARK_BACKGROUND, servedOnly, servedOnly);
    MarkerDefine(kLiveOnlyLineMarker, wxSTC_MARK_BACKGROUND, liveOnly, liveOnly);
}

void ServedSourceView::ShowMarkedText(std::string text, std::string pageAddress,
                                      std::vector<MarkedLine> marks) {
    exact_ = std::make_shared<const std::string>(std::move(text));
    pageAddress_ = std::move(pageAddress);
    findWhat_.clear();
    marked_ = true;
    marks_ = std::move(marks);
    ShowAsAsked();
}

// The marks are in the order of their lines, and so are the lines the view broke: each
// mark's shown line is its line and the broken lines before it.
void ServedSourceView::MarkAppendedLines() {
    const int lines = GetLineCount();
    for (; marksShown_ < marks_.size(); ++marksShown_) {
        const MarkedLine& mark = marks_[marksShown_];
        std::size_t shownLine = mark.line + continuedBeforeMark_;
        while (continuedBeforeMark_ < continued_.size() &&
               continued_[continuedBeforeMark_] <= shownLine) {
            ++continuedBeforeMark_;
            ++shownLine;
        }
        if (shownLine >= static_cast<std::size_t>(lines)) {
            return;
        }
        // Both of a line's markers in one call: the viewer redraws once for them.
        const bool served = mark.side == MarkedLine::Side::Served;
        MarkerAddSet(static_cast<int>(shownLine),
                     served ? (1 << kServedOnlyMarker) | (1 << kServedOnlyLineMarker)
                            : (1 << kLiveOnlyMarker) | (1 << kLiveOnlyLineMarker));
    }
}

std::uint32_t ServedSourceView::CaretTextLine() {
    const auto shown = static_cast<std::uint32_t>(GetCurrentLine());
    const auto broken = std::upper_bound(continued_.begin(), continued_.end(), shown);
    return shown - static_cast<std::uint32_t>(broken - continued_.begin());
}

void ServedSourceView::GoToTextLine(std::uint32_t line) {
    std::size_t shown = line;
    for (const std::uint32_t continued : continued_) {
        if (continued > shown) {
            break;
        }
        ++shown;
    }
    GoToLineNumber(static_cast<int>(shown) + 1);
}

}  // namespace quorvane

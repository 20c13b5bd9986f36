#include "image_list/gui/image_list_view.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/imaglist.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/wrapsizer.h>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "desktop/gui/accessible_names.h"
#include "desktop/gui/cell_list.h"
#include "desktop/gui/list_accessible.h"
#include "desktop/gui/list_filter_row.h"
#include "image_list/gui/thumbnail_picture.h"
#include "image_list/image_audit.h"

namespace quorvane {
namespace {

constexpr std::array<ImageColumn, 9> kColumnOrder{
    ImageColumn::Address,   ImageColumn::Kinds, ImageColumn::NaturalSize,
    ImageColumn::ShownSize, ImageColumn::Bytes, ImageColumn::Type,
    ImageColumn::Text,      ImageColumn::Uses,  ImageColumn::Findings,
};
constexpr std::array<CellColumn, 9> kColumns{
    CellColumn{wxTRANSLATE("Address"), 420},      CellColumn{wxTRANSLATE("Found as"), 110}, CellColumn{wxTRANSLATE("Natural size"), 100},
    CellColumn{wxTRANSLATE("Shown size"), 100},   CellColumn{wxTRANSLATE("Bytes"), 90},     CellColumn{wxTRANSLATE("Type"), 90},
    CellColumn{wxTRANSLATE("Alt or title"), 160}, CellColumn{wxTRANSLATE("Uses"), 50},      CellColumn{wxTRANSLATE("Findings"), 180},
};

// The filter row's choice of finding, in the order it offers them.
struct AuditChoice {
    ImageAudit audit;
    const char* caption;
};

constexpr std::array kAuditChoices{
    AuditChoice{ImageAudit::Any, wxTRANSLATE("All")},
    AuditChoice{ImageAudit::Broken, wxTRANSLATE("Broken")},
    AuditChoice{ImageAudit::Oversized, wxTRANSLATE("Oversized")},
    AuditChoice{ImageAudit::WithoutAlt, wxTRANSLATE("No alt text")},
    AuditChoice{ImageAudit::Duplicate, wxTRANSLATE("Duplicates")},
};

constexpr int kMaxMinimum = 1000000;
// The address filter's least width, in pixels at 96 dots an inch.
constexpr int kMinFilterWidth = 220;

wxString FromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}

enum MenuItem { kCopyItem = wxID_HIGHEST + 1, kOpenItem, kOpenSourceItem, kSaveItem };

constexpr std::chrono::milliseconds kFactsShownEvery{250};
constexpr std::chrono::milliseconds kRowsShownEvery{100};
constexpr int kThumbnailSide = 24;

}  // namespace

ImageListView::ImageListView(wxWindow* parent, ImageListTable& table, ImageListActions actions)
    : wxPanel(parent), table_(table), actions_(std::move(actions)) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(MakeFilterRow(),
               wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(4)));
    audits_ = new wxStaticText(this, wxID_ANY, wxString());
    sizer->Add(audits_, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(4)));
    // The page's pictures are drawn at the screen's scale: a picture twice its shown size
    // is no waste on a screen of two device pixels a CSS pixel.
    table_.SetScreenScale(GetDPIScaleFactor());
    Bind(wxEVT_DPI_CHANGED, [this](wxDPIChangedEvent& event) {
        table_.SetScreenScale(GetDPIScaleFactor());
        ShowTable();
        event.Skip();
    });
    sizer->Add(MakeList(), wxSizerFlags(1).Expand());
    SetSizer(sizer);

    Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        showPending_ = false;
        ShowTable();
    });
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) {
            CallAfter([this] { Layout(); });
        }
        event.Skip();
    });
    ShowTable();
}

CellList* ImageListView::MakeList() {
    list_ = new CellList(
        this, kColumns,
        [this](std::size_t line, std::size_t column) {
            return line < table_.Shown().size()
                       ? ImageCellText(table_.ShownRow(line), kColumnOrder[column],
                                       table_.ScreenScale())
                       : std::string();
        },
        [this](long line) { return ThumbnailOf(line); });
    const int side = FromDIP(kThumbnailSide);
    thumbnails_ = new wxImageList(side, side, false, static_cast<int>(ThumbnailSlots::kSlots));
    list_->AssignImageList(thumbnails_, wxIMAGE_LIST_SMALL);
    ExposeListLines(*list_, _("Image List"));
    list_->Bind(wxEVT_LIST_COL_CLICK, &ImageListView::OnColumnClick, this);
    list_->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, &ImageListView::OnContextMenu, this);
    list_->BindLineActions(
        [this](std::size_t line) {
            if (line < table_.Shown().size()) {
                actions_.open(table_.ShownRow(line).address);
            }
        },
        [this] { CopySelectedAddresses(); });
    return list_;
}

wxSizer* ImageListView::MakeFilterRow() {
    filter_ = std::make_unique<ListFilterRow>(this, kMinFilterWidth, [this] { ApplyFilter(); });
    minimumWidth_ = new wxSpinCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxSP_ARROW_KEYS, 0, kMaxMinimum, 0);
    minimumHeight_ = new wxSpinCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxSP_ARROW_KEYS, 0, kMaxMinimum, 0);
    SetAccessibleName(*minimumWidth_, _("Min. width"));
    SetAccessibleName(*minimumHeight_, _("Min. height"));
    audit_ = new wxChoice(this, wxID_ANY);
    for (const AuditChoice& choice : kAuditChoices) {
        audit_->Append(wxGetTranslation(choice.caption));
    }
    audit_->SetSelection(0);
    audit_->SetToolTip(_("Show only the pictures with this finding"));
    SetAccessibleName(*audit_, _("Show"));
    count_ = new wxStaticText(this, wxID_ANY, wxString());
    keepAllCandidates_ = new wxCheckBox(this, wxID_ANY, _("Save all candidates"));
    keepAllCandidates_->SetToolTip(_("Save every size a srcset offers, not only the largest"));
    auto* refresh = new wxButton(this, wxID_ANY, _("Refresh List"));

    filter_->Add(Captioned(_("Min. width"), minimumWidth_));
    filter_->Add(Captioned(_("height"), minimumHeight_));
    filter_->Add(Captioned(_("Show"), audit_));
    filter_->AddStretching(count_);
    filter_->Add(keepAllCandidates_);
    filter_->Row()->Add(refresh, wxSizerFlags().CentreVertical().Border(wxBOTTOM, FromDIP(6)));
    minimumWidth_->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { ApplyFilter(); });
    minimumHeight_->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { ApplyFilter(); });
    audit_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ApplyFilter(); });
    refresh->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { actions_.refresh(); });
    return filter_->Row();
}

// A caption and its field wrap together.
wxSizer* ImageListView::Captioned(const wxString& caption, wxWindow* field) {
    auto* pair = new wxBoxSizer(wxHORIZONTAL);
    pair->Add(new wxStaticText(this, wxID_ANY, caption),
              wxSizerFlags().CentreVertical().Border(wxRIGHT, FromDIP(6)));
    pair->Add(field, wxSizerFlags().CentreVertical());
    return pair;
}

void ImageListView::ApplyFilter() {
    table_.SetFilter(
        {filter_->Text()->GetValue().utf8_string(), filter_->RegularExpression()->GetValue(),
         filter_->Type()->GetValue().utf8_string(),
         static_cast<std::uint32_t>(minimumWidth_->GetValue()),
         static_cast<std::uint32_t>(minimumHeight_->GetValue()),
         kAuditChoices[static_cast<std::size_t>(std::max(0, audit_->GetSelection()))].audit});
    ShowTable();
}

// Reports come in slices while a page is gathered: the table is shown once the window
// has handled them, not once per slice, and at most every kRowsShownEvery, as a new
// number of lines draws every line on screen again, whether it changed or not (the list
// lays itself out anew). The facts of thousands of files come one by one after the rows:
// drawing the lines on screen costs the window more than reading a file, so a table of
// the same rows is shown again at most every kFactsShownEvery.
void ImageListView::FocusList() {
    list_->SetFocus();
    GiveListACurrentLine();
}

// The list's keys move from its current line only: without one (before the first click,
// or after a new page emptied the list) Page Down would do nothing. The first line on
// screen becomes current, not selected.
void ImageListView::GiveListACurrentLine() {
    list_->GiveACurrentLine();
}

bool ImageListView::ListHasKeyboard() const {
    return list_->HasKeyboard();
}

void ImageListView::TableChanged() {
    withoutThumbnail_.clear();
    if (showPending_) {
        return;
    }
    showPending_ = true;
    const auto sinceShown = std::chrono::steady_clock::now() - lastShown_;
    const bool sameRows = table_.List().Rows().size() == rowsShown_;
    const auto every = sameRows ? kFactsShownEvery : kRowsShownEvery;
    if (sinceShown < every) {
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(every - sinceShown);
        showTimer_.StartOnce(static_cast<int>(wait.count()) + 1);
        return;
    }
    CallAfter([this] {
        showPending_ = false;
        ShowTable();
    });
}

void ImageListView::ShowTable() {
    lastShown_ = std::chrono::steady_clock::now();
    rowsShown_ = table_.List().Rows().size();
    list_->SetLines(table_.Shown().size());
    const ImageTableChanges changes = table_.TakeChanges();
    if (changes.lines) {
        list_->Refresh();
    } else {
        RefreshLinesOnScreen(changes.rows);
    }
    DescribeCurrentLine(*list_);
    // A new count is laid out again, which the window's whole tree answers; the same
    // count, as when only the files' facts came, costs nothing.
    const wxString count = FromUtf8(table_.CountText());
    const wxString audits = FromUtf8(table_.AuditText());
    if (count == count_->GetLabel() && audits == audits_->GetLabel()) {
        return;
    }
    count_->SetLabel(count);
    audits_->SetLabel(audits);
    // A hidden view is laid out when it is shown; GTK cannot lay out a view of no size.
    if (IsShownOnScreen()) {
        Layout();
    }
}

void ImageListView::RefreshLinesOnScreen(std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    RefreshLinesOnScreen([&rows](std::size_t row, const ImageRow&) {
        return std::binary_search(rows.begin(), rows.end(), row);
    });
}

void ImageListView::RefreshLinesOnScreen(
    const std::function<bool(std::size_t, const ImageRow&)>& changed) {
    const std::vector<std::size_t>& shown = table_.Shown();
    list_->RefreshLinesOnScreen([&](std::size_t line) {
        return line < shown.size() && changed(shown[line], table_.List().Rows()[shown[line]]);
    });
}

int ImageListView::ThumbnailOf(long line) {
    if (line < 0 || static_cast<std::size_t>(line) >= table_.Shown().size() ||
        !actions_.imageFile) {
        return -1;
    }
    const std::string& address = table_.ShownRow(static_cast<std::size_t>(line)).address;
    if (const std::optional<int> slot = slots_.Find(address)) {
        return *slot;
    }
    if (!withoutThumbnail_.contains(address)) {
        if (waitingThumbnails_.empty()) {
            CallAfter([this] { DecodeWaitingThumbnails(); });
        }
        waitingThumbnails_.push_back(address);
    }
    return -1;
}

// The lines on screen ask again when the list is drawn next. The pictures are decoded on
// a thread of their own, one at a time: a huge one never holds the window, which only
// turns each decoded thumbnail into a bitmap.
void ImageListView::DecodeWaitingThumbnails() {
    std::vector<std::string> waiting;
    waiting.swap(waitingThumbnails_);
    const int side = FromDIP(kThumbnailSide);
    for (const std::string& address : waiting) {
        if (slots_.Find(address) || withoutThumbnail_.contains(address) ||
            decoding_.contains(address)) {
            continue;
        }
        const std::string file = actions_.imageFile(address);
        const ImageRow* row = table_.List().Find(address);
        if (file.empty() || row == nullptr) {
            withoutThumbnail_.insert(address);
            continue;
        }
        decoding_.insert(address);
        pictures_.Post([this, address, file, type = row->type, side]() -> std::function<void()> {
            // Held by a shared pointer, the picture is never copied: its count of references
            // is not one two threads could change at once.
            auto picture = std::make_shared<const wxImage>(ThumbnailImageOfFile(file, type, side));
            return [this, address, picture] { ShowThumbnail(address, *picture); };
        });
    }
}

void ImageListView::ShowThumbnail(const std::string& address, const wxImage& picture) {
    decoding_.erase(address);
    if (!picture.IsOk()) {
        withoutThumbnail_.insert(address);
        return;
    }
    const int slot = slots_.Take(address);
    if (slot < thumbnails_->GetImageCount()) {
        thumbnails_->Replace(slot, wxBitmap(picture));
    } else {
        thumbnails_->Add(wxBitmap(picture));
    }
    RefreshLinesOnScreen(
        [&address](std::size_t, const ImageRow& row) { return row.address == address; });
}

std::size_t ImageListView::ShownLines() const {
    return static_cast<std::size_t>(list_->GetItemCount());
}

std::string ImageListView::CountText() const {
    return count_->GetLabel().utf8_string();
}

std::string ImageListView::AuditText() const {
    return audits_->GetLabel().utf8_string();
}

void ImageListView::OnColumnClick(wxListEvent& event) {
    const ImageColumn column = kColumnOrder[static_cast<std::size_t>(event.GetColumn())];
    const bool ascending = column != table_.SortColumn() || !table_.SortAscending();
    table_.SortBy(column, ascending);
    list_->ShowSortIndicator(event.GetColumn(), ascending);
    ShowTable();
}

std::vector<std::size_t> ImageListView::SelectedRows() const {
    return list_->SelectedRowsOf(table_.Shown());
}

void ImageListView::SaveSelected() {
    const std::vector<std::size_t> selected = SelectedRows();
    actions_.save(selected.empty() ? table_.Shown() : selected, keepAllCandidates_->GetValue());
}

void ImageListView::CopySelectedAddresses() const {
    std::string text;
    for (const std::size_t row : SelectedRows()) {
        text += table_.List().Rows()[row].address + "\n";
    }
    if (!text.empty() && wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(FromUtf8(text)));
        wxTheClipboard->Close();
    }
}

void ImageListView::OnContextMenu(wxListEvent& event) {
    wxMenu menu;
    menu.Append(kCopyItem, _("&Copy Addresses") + "\tCtrl+C");
    menu.Append(kOpenItem, _("&Open in Browser View"));
    menu.Append(kOpenSourceItem, _("Open O&riginal Source"));
    menu.Append(kSaveItem, _("&Save Selected Images\u2026"));
    const long line = event.GetIndex();
    const bool onLine = line >= 0 && static_cast<std::size_t>(line) < table_.Shown().size();
    switch (list_->GetPopupMenuSelectionFromUser(menu)) {
        case kCopyItem:
            CopySelectedAddresses();
            break;
        case kOpenItem:
            if (onLine) {
                actions_.open(table_.ShownRow(static_cast<std::size_t>(line)).address);
            }
            break;
        case kOpenSourceItem:
            if (onLine) {
                actions_.openSource(table_.ShownRow(static_cast<std::size_t>(line)).address);
            }
            break;
        case kSaveItem:
            SaveSelected();
            break;
        default:
            break;
    }
}

}  // namespace quorvane

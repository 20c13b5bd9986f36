#include "requests/gui/request_list_view.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/wrapsizer.h>

#include <algorithm>
#include <array>

#include "desktop/gui/accessible_names.h"
#include "desktop/gui/cell_list.h"
#include "desktop/gui/list_accessible.h"
#include "desktop/gui/list_filter_row.h"
#include "requests/gui/headers_pane.h"
#include "requests/request_headers_text.h"

namespace quorvane {
namespace {

constexpr std::array<CellColumn, kRequestColumns> kColumns{
    CellColumn{"#", 50},
    CellColumn{wxTRANSLATE("Method"), 70},
    CellColumn{wxTRANSLATE("Address"), 380},
    CellColumn{wxTRANSLATE("Status"), 130},
    CellColumn{wxTRANSLATE("Type"), 130},
    CellColumn{wxTRANSLATE("Kind"), 90},
    CellColumn{wxTRANSLATE("Size"), 80},
    CellColumn{wxTRANSLATE("Decoded"), 80},
    CellColumn{wxTRANSLATE("Start (ms)"), 80},
    CellColumn{wxTRANSLATE("First byte (ms)"), 100},
    CellColumn{wxTRANSLATE("Total (ms)"), 80},
    CellColumn{wxTRANSLATE("Frame"), 200},
    CellColumn{wxTRANSLATE("Party"), 90},
};

struct StatusChoice {
    StatusClass status;
    const char* caption;
};

constexpr std::array kStatusChoices{
    StatusChoice{StatusClass::Any, wxTRANSLATE("All")},
    StatusChoice{StatusClass::Success, wxTRANSLATE("2xx Success")},
    StatusChoice{StatusClass::Redirect, wxTRANSLATE("3xx Redirect")},
    StatusChoice{StatusClass::ClientError, wxTRANSLATE("4xx Client error")},
    StatusChoice{StatusClass::ServerError, wxTRANSLATE("5xx Server error")},
    StatusChoice{StatusClass::Failed, wxTRANSLATE("Failed")},
    StatusChoice{StatusClass::Waiting, wxTRANSLATE("Waiting")},
};

enum MenuItem { kCopyItem = wxID_HIGHEST + 1, kOpenItem, kOpenSourceItem };

// The rows of a page come by the hundred while it loads: the table is shown at most this
// often, as a new number of lines draws every line on screen again.
constexpr std::chrono::milliseconds kRowsShownEvery{100};

wxString FromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}

}  // namespace

RequestListView::RequestListView(wxWindow* parent, RequestListTable& table,
                                 RequestListActions actions)
    : wxPanel(parent), table_(table), actions_(std::move(actions)) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(MakeFilterRow(),
               wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(4)));
    auto* split = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                       wxSP_LIVE_UPDATE | wxSP_3DSASH);
    list_ = new CellList(split, kColumns, [this](std::size_t line, std::size_t column) {
        const std::vector<std::size_t>& shown = table_.Shown();
        return line < shown.size()
                   ? RequestCell(table_.Log(), shown[line], static_cast<RequestColumn>(column))
                   : std::string();
    });
    ExposeListLines(*list_, _("Resources"));
    headers_ = new HeadersPane(split);
    split->SetMinimumPaneSize(FromDIP(60));
    split->SplitHorizontally(list_, headers_, -FromDIP(180));
    split->SetSashGravity(1.0);
    sizer->Add(split, wxSizerFlags(1).Expand());
    SetSizer(sizer);

    Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        showPending_ = false;
        ShowTable();
    });
    list_->Bind(wxEVT_LIST_COL_CLICK, &RequestListView::OnColumnClick, this);
    list_->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, &RequestListView::OnContextMenu, this);
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) { ShowSelectedHeaders(); });
    list_->BindLineActions(
        [this](std::size_t line) {
            if (line < table_.Shown().size()) {
                actions_.open(table_.ShownRow(line).address);
            }
        },
        [this] { CopySelectedRows(); });
    ShowTable();
}

wxSizer* RequestListView::MakeFilterRow() {
    filter_ = std::make_unique<ListFilterRow>(this, 220, [this] { ApplyFilter(); });
    status_ = new wxChoice(this, wxID_ANY);
    for (const StatusChoice& choice : kStatusChoices) {
        status_->Append(wxGetTranslation(choice.caption));
    }
    status_->SetSelection(0);
    SetAccessibleName(*status_, _("Status"));
    thirdPartyOnly_ = new wxCheckBox(this, wxID_ANY, _("Third party only"));
    count_ = new wxStaticText(this, wxID_ANY, wxString());
    filter_->Add(status_);
    filter_->Add(thirdPartyOnly_);
    filter_->AddStretching(count_);
    status_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ApplyFilter(); });
    thirdPartyOnly_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ApplyFilter(); });
    return filter_->Row();
}

void RequestListView::ApplyFilter() {
    const auto status = static_cast<std::size_t>(std::max(0, status_->GetSelection()));
    table_.SetFilter({.text = filter_->Text()->GetValue().utf8_string(),
                      .regularExpression = filter_->RegularExpression()->GetValue(),
                      .type = filter_->Type()->GetValue().utf8_string(),
                      .status = kStatusChoices[status].status,
                      .thirdPartyOnly = thirdPartyOnly_->GetValue()});
    ShowTable();
}

void RequestListView::FocusList() {
    list_->SetFocus();
    list_->GiveACurrentLine();
}

// The window's work for a request is the same however many came before: the rows are
// filtered and drawn at most every kRowsShownEvery, the lines on screen only.
void RequestListView::TableChanged() {
    if (showPending_) {
        return;
    }
    showPending_ = true;
    const auto sinceShown = std::chrono::steady_clock::now() - lastShown_;
    if (sinceShown < kRowsShownEvery) {
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(kRowsShownEvery - sinceShown);
        showTimer_.StartOnce(static_cast<int>(wait.count()) + 1);
        return;
    }
    CallAfter([this] {
        showPending_ = false;
        ShowTable();
    });
}

void RequestListView::ShowTable() {
    lastShown_ = std::chrono::steady_clock::now();
    list_->SetLines(table_.Shown().size());
    list_->RefreshLinesOnScreen([](std::size_t) { return true; });
    DescribeCurrentLine(*list_);
    ShowSelectedHeaders();
    const wxString count = FromUtf8(table_.CountText());
    if (count != count_->GetLabel()) {
        count_->SetLabel(count);
        if (IsShownOnScreen()) {
            Layout();
        }
    }
    actions_.shown();
}

void RequestListView::ShowSelectedHeaders() {
    const std::vector<std::size_t> selected = SelectedRows();
    const std::string text = selected.empty() ? MainDocumentHeadersText(table_.Log())
                                              : RequestHeadersText(table_.Log(), selected.front());
    headers_->ShowText(text);
}

void RequestListView::OnColumnClick(wxListEvent& event) {
    const auto column = static_cast<RequestColumn>(event.GetColumn());
    const bool ascending = column != table_.SortColumn() || !table_.SortAscending();
    table_.SortBy(column, ascending);
    list_->ShowSortIndicator(event.GetColumn(), ascending);
    ShowTable();
}

std::vector<std::size_t> RequestListView::SelectedRows() const {
    return list_->SelectedRowsOf(table_.Shown());
}

void RequestListView::CopySelectedRows() const {
    const std::vector<std::size_t> selected = SelectedRows();
    const std::string text =
        RequestRowsText(table_.Log(), selected.empty() ? table_.Shown() : selected);
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(FromUtf8(text)));
        wxTheClipboard->Close();
    }
}

std::string RequestListView::CountText() const {
    return count_->GetLabel().utf8_string();
}

std::string RequestListView::HeadersText() const {
    return headers_->Text();
}

void RequestListView::OpenOriginalSource(std::size_t row) {
    if (row < table_.Log().Rows().size() && ShowsAsText(table_.Log().Rows()[row])) {
        actions_.openSource(table_.Log().Rows()[row].address);
    }
}

void RequestListView::OnContextMenu(wxListEvent& event) {
    wxMenu menu;
    menu.Append(kCopyItem, _("&Copy") + "\tCtrl+C");
    menu.Append(kOpenItem, _("&Open in Browser View"));
    menu.Append(kOpenSourceItem, _("Open Original &Source"));
    const long line = event.GetIndex();
    const bool onLine = line >= 0 && static_cast<std::size_t>(line) < table_.Shown().size();
    menu.Enable(kOpenSourceItem,
                onLine && ShowsAsText(table_.ShownRow(static_cast<std::size_t>(line))));
    switch (list_->GetPopupMenuSelectionFromUser(menu)) {
        case kCopyItem:
            CopySelectedRows();
            break;
        case kOpenItem:
            if (onLine) {
                actions_.open(table_.ShownRow(static_cast<std::size_t>(line)).address);
            }
            break;
        case kOpenSourceItem:
            if (onLine) {
                OpenOriginalSource(table_.Shown()[static_cast<std::size_t>(line)]);
            }
            break;
        default:
            break;
    }
}

}  // namespace quorvane

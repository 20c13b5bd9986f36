#include "main_window/gui/shortcuts_window.h"

#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/srchctrl.h>

#include <string>

#include "desktop/gui/accessible_names.h"
#include "desktop/gui/list_accessible.h"

namespace quorvane {
namespace {

wxString JoinedKeys(const std::vector<std::string>& keys) {
    wxString joined;
    for (const std::string& key : keys) {
        joined << (joined.empty() ? "" : ", ") << wxString::FromUTF8(key);
    }
    return joined;
}

}  // namespace

ShortcutsWindow::ShortcutsWindow(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxGetTranslation(kTitle), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      search_(new wxSearchCtrl(this, wxID_ANY)),
      list_(new wxListView(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           wxLC_REPORT | wxLC_SINGLE_SEL)) {
    search_->SetDescriptiveText(_("Search shortcuts"));
    SetAccessibleName(*search_, _("Search shortcuts"));
    ExposeListLines(*list_, wxGetTranslation(kTitle));
    list_->AppendColumn(_("Command"));
    list_->AppendColumn(_("Keys"));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(search_, wxSizerFlags().Expand().Border());
    sizer->Add(list_, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM));
    SetSizer(sizer);
    ShowRows(rows_);
    list_->SetColumnWidth(0, FromDIP(260));
    list_->SetColumnWidth(1, FromDIP(220));
    SetSize(FromDIP(wxSize(540, 600)));
    search_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        ShowRows(FilterShortcutRows(rows_, search_->GetValue().utf8_string()));
    });
    // Before the search box sees the key, which would only empty itself.
    Bind(wxEVT_CHAR_HOOK, &ShortcutsWindow::OnKey, this);
    // A window of its own each time, gone once closed, rather than one kept hidden.
    // The keyboard goes back to the main window, as it would from any dialog; without a
    // window manager to hand it on, no window would have it.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        if (wxWindow* opener = GetParent()) {
            opener->Raise();
        }
        Destroy();
    });
    search_->SetFocus();
}

void ShortcutsWindow::ShowRows(const std::vector<ShortcutRow>& rows) {
    list_->Freeze();
    list_->DeleteAllItems();
    wxFont headingFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
    const std::string* group = nullptr;
    for (const ShortcutRow& row : rows) {
        if (group == nullptr || *group != row.group) {
            group = &row.group;
            const long heading =
                list_->InsertItem(list_->GetItemCount(), wxString::FromUTF8(row.group));
            list_->SetItemFont(heading, headingFont);
        }
        const long line =
            list_->InsertItem(list_->GetItemCount(), wxString::FromUTF8("    " + row.command));
        list_->SetItem(line, 1, JoinedKeys(row.keys));
    }
    list_->Thaw();
    DescribeCurrentLine(*list_);
}

void ShortcutsWindow::OnKey(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) {
        Close();
        return;
    }
    event.Skip();
}

}  // namespace quorvane

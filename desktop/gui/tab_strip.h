#pragma once

#include <wx/string.h>

#include <vector>

class wxNotebook;

namespace quorvane {

// Gives each tab of the tab strip its own tooltip (tooltips[i] for tab i).
void SetTabToolTips(wxNotebook* tabStrip, const std::vector<wxString>& tooltips);

// Makes the tab strip's tabs no taller than their text needs. Themes draw tall tabs,
// and the views lie over the tab strip a fixed distance below its top edge.
void MakeTabsCompact(wxNotebook* tabStrip);

}  // namespace quorvane

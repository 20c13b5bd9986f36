#pragma once

#include "branding/rtf_document.h"

class wxRichTextCtrl;

namespace quorvane {

// Replaces the box's content with the document: its paragraphs, their centring and
// each run's character formatting.
void ShowRtfDocument(wxRichTextCtrl* box, const RtfDocument& document);

}  // namespace quorvane

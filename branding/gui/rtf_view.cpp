#include "branding/gui/rtf_view.h"

#include <wx/richtext/richtextctrl.h>
#include <wx/settings.h>

#include <algorithm>

#include "branding/readable_colour.h"

namespace quorvane {

namespace {

wxColour ToWx(const RtfColour& colour) {
    return {static_cast<unsigned char>(colour.red), static_cast<unsigned char>(colour.green),
            static_cast<unsigned char>(colour.blue)};
}

RtfColour FromWx(const wxColour& colour) {
    return {colour.Red(), colour.Green(), colour.Blue()};
}

// A colour written in the document is shown so that it can be read on the box's own
// background, which follows the desktop's theme.
wxRichTextAttr RunStyle(const RtfDocument& document, const RtfCharFormat& format,
                        const wxColour& background) {
    wxRichTextAttr style;
    style.SetFontWeight(format.bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    style.SetFontStyle(format.italic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
    style.SetFontUnderlined(format.underline);
    style.SetTextEffects(format.strike ? wxTEXT_ATTR_EFFECT_STRIKETHROUGH : 0);
    style.SetTextEffectFlags(wxTEXT_ATTR_EFFECT_STRIKETHROUGH);
    style.SetFontPointSize(std::max(1, format.fontSizeHalfPoints / 2));
    const auto colour = document.ColourOf(format);
    style.SetTextColour(colour ? ToWx(ReadableOn(*colour, FromWx(background)))
                               : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    return style;
}

// Writes a run; "\n" in its text is a line break inside the paragraph.
void WriteRun(wxRichTextCtrl* box, const std::string& text) {
    std::size_t start = 0;
    for (std::size_t end = text.find('\n');; end = text.find('\n', start)) {
        box->WriteText(wxString::FromUTF8(text.substr(start, end - start)));
        if (end == std::string::npos) {
            return;
        }
        box->LineBreak();
        start = end + 1;
    }
}

}  // namespace

void ShowRtfDocument(wxRichTextCtrl* box, const RtfDocument& document) {
    box->Freeze();
    box->Clear();
    bool first = true;
    for (const auto& paragraph : document.paragraphs) {
        if (!first) {
            box->Newline();
        }
        first = false;
        const long start = box->GetInsertionPoint();
        for (const auto& run : paragraph.runs) {
            box->BeginStyle(RunStyle(document, run.format, box->GetBackgroundColour()));
            WriteRun(box, run.text);
            box->EndStyle();
        }
        // A new paragraph inherits the one before; its alignment is set every time.
        wxRichTextAttr alignment;
        alignment.SetAlignment(paragraph.centred ? wxTEXT_ALIGNMENT_CENTRE : wxTEXT_ALIGNMENT_LEFT);
        box->SetStyleEx(wxRichTextRange(start, box->GetInsertionPoint()), alignment,
                        wxRICHTEXT_SETSTYLE_PARAGRAPHS_ONLY);
    }
    box->SetInsertionPoint(0);
    box->ShowPosition(0);
    box->Thaw();
}

}  // namespace quorvane

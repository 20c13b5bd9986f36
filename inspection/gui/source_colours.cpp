#include "inspection/gui/source_colours.h"

#include <wx/settings.h>
#include <wx/stc/stc.h>

#include <array>

namespace quorvane {
namespace {

struct StyleColour {
    int style;
    const char* light;
    const char* dark;
    bool bold = false;
    bool italic = false;
};

// The lexer's styles for markup and for the script inside it; the others keep the text's
// own colour.
constexpr std::array<StyleColour, 22> kStyleColours = {{
    {wxSTC_H_TAG, "#1a4fa0", "#7fb4ff", true},
    {wxSTC_H_TAGUNKNOWN, "#1a4fa0", "#7fb4ff"},
    {wxSTC_H_TAGEND, "#1a4fa0", "#7fb4ff"},
    {wxSTC_H_ATTRIBUTE, "#8a3b12", "#f0a870"},
    {wxSTC_H_ATTRIBUTEUNKNOWN, "#8a3b12", "#f0a870"},
    {wxSTC_H_DOUBLESTRING, "#13720f", "#9bd77f"},
    {wxSTC_H_SINGLESTRING, "#13720f", "#9bd77f"},
    {wxSTC_H_VALUE, "#13720f", "#9bd77f"},
    {wxSTC_H_NUMBER, "#7a2aa0", "#d39cf5"},
    {wxSTC_H_COMMENT, "#6f7780", "#8d96a0", false, true},
    {wxSTC_H_ENTITY, "#a0157a", "#f08cd4"},
    {wxSTC_H_SGML_DEFAULT, "#6f7780", "#8d96a0"},
    {wxSTC_H_SGML_COMMAND, "#6f7780", "#8d96a0", true},
    {wxSTC_H_CDATA, "#6f7780", "#8d96a0"},
    {wxSTC_HJ_KEYWORD, "#1a4fa0", "#7fb4ff", true},
    {wxSTC_HJ_WORD, "#262626", "#dcdcdc"},
    {wxSTC_HJ_DOUBLESTRING, "#13720f", "#9bd77f"},
    {wxSTC_HJ_SINGLESTRING, "#13720f", "#9bd77f"},
    {wxSTC_HJ_NUMBER, "#7a2aa0", "#d39cf5"},
    {wxSTC_HJ_COMMENT, "#6f7780", "#8d96a0", false, true},
    {wxSTC_HJ_COMMENTLINE, "#6f7780", "#8d96a0", false, true},
    {wxSTC_HJ_REGEX, "#a0157a", "#f08cd4"},
}};

// The elements and attributes the lexer colours as known; every other tag it marks as
// unknown, in the same colour here.
constexpr const char* kHtmlWords =
    "a abbr address area article aside audio b base bdi bdo blockquote body br button canvas "
    "caption cite code col colgroup data datalist dd del details dfn dialog div dl dt em embed "
    "fieldset figcaption figure footer form h1 h2 h3 h4 h5 h6 head header hr html i iframe img "
    "input ins kbd label legend li link main map mark meta meter nav noscript object ol "
    "optgroup option output p param picture pre progress q rp rt ruby s samp script section "
    "select small source span strong style sub summary sup svg table tbody td template textarea "
    "tfoot th thead time title tr track u ul var video wbr "
    "accept action align alt async autocomplete autofocus charset checked class cols colspan "
    "content controls crossorigin data defer dir disabled download draggable enctype for form "
    "height hidden href hreflang http-equiv id integrity lang list loop max maxlength media "
    "method min multiple muted name novalidate onclick onload pattern placeholder poster "
    "preload readonly rel required rows rowspan sandbox scope selected sizes span src srcset "
    "start step style tabindex target title type value width";

constexpr const char* kScriptWords =
    "async await break case catch class const continue debugger default delete do else export "
    "extends false finally for function if import in instanceof let new null of return super "
    "switch this throw true try typeof undefined var void while with yield";

}  // namespace

void ApplySourceColours(wxStyledTextCtrl& view, bool coloured) {
    const bool dark = wxSystemSettings::GetAppearance().IsDark();
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const wxFont font(wxFontInfo(kSourceFontPoints).Family(wxFONTFAMILY_TELETYPE));
    view.StyleSetFont(wxSTC_STYLE_DEFAULT, font);
    view.StyleSetForeground(wxSTC_STYLE_DEFAULT, text);
    view.StyleSetBackground(wxSTC_STYLE_DEFAULT, back);
    view.StyleClearAll();
    view.StyleSetForeground(wxSTC_STYLE_LINENUMBER,
                            wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    view.StyleSetBackground(wxSTC_STYLE_LINENUMBER,
                            wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    view.SetCaretForeground(text);
    view.SetSelBackground(true, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    view.SetSelForeground(true, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    if (!coloured) {
        return;
    }
    view.SetKeyWords(0, kHtmlWords);
    view.SetKeyWords(1, kScriptWords);
    for (const StyleColour& colour : kStyleColours) {
        view.StyleSetForeground(colour.style, wxColour(dark ? colour.dark : colour.light));
        view.StyleSetBold(colour.style, colour.bold);
        view.StyleSetItalic(colour.style, colour.italic);
    }
}

}  // namespace quorvane

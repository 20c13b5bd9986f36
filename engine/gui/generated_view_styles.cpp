#include "engine/gui/generated_view_styles.h"

#include <webkit2/webkit2.h>
#include <wx/settings.h>

namespace quorvane {
namespace {

// The generated views show plain text and addresses, which need neither kerning nor
// ligatures; without them the engine lays text out faster. They take the desktop's light
// or dark style, which the work files themselves leave open.
constexpr const char* kPlainTextStyle =
    "* { font-kerning: none; font-variant-ligatures: none; } :root { color-scheme: light dark; }";
constexpr const char* kHoldDrawingStyle = ":root { display: none !important; }";

WebKitUserStyleSheet* NewUserStyleSheet(const char* css) {
    return webkit_user_style_sheet_new(css, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                       WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
}

// Where a page draws nothing (held back, or not drawn yet) the view shows its own background,
// white unless told otherwise: in a dark desktop style that would flash white.
void PaintBlankInDesktopColour(WebKitWebView* view) {
    const wxColour colour = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const GdkRGBA background{colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0,
                             1.0};
    webkit_web_view_set_background_color(view, &background);
}

}  // namespace

void GeneratedViewStyles::AddPlainText(WebKitWebView* view) {
    PaintBlankInDesktopColour(view);
    WebKitUserStyleSheet* plainText = NewUserStyleSheet(kPlainTextStyle);
    webkit_user_content_manager_add_style_sheet(webkit_web_view_get_user_content_manager(view),
                                                plainText);
    webkit_user_style_sheet_unref(plainText);
}

GeneratedViewStyles::GeneratedViewStyles(WebKitWebView* view)
    : view_(view), holdDrawing_(NewUserStyleSheet(kHoldDrawingStyle)) {
    AddPlainText(view_);
}

GeneratedViewStyles::~GeneratedViewStyles() {
    webkit_user_style_sheet_unref(holdDrawing_);
}

void GeneratedViewStyles::HoldDrawing(bool held) {
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(view_);
    if (held) {
        webkit_user_content_manager_add_style_sheet(manager, holdDrawing_);
    } else {
        webkit_user_content_manager_remove_style_sheet(manager, holdDrawing_);
    }
}

}  // namespace quorvane

#pragma once

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitUserStyleSheet WebKitUserStyleSheet;

namespace quorvane {

// The style sheets a generated view lays over every page it shows: plain text laid out
// quickly in the desktop's light or dark style and, while the view holds a page back
// (GeneratedViewLoad), one that draws nothing of it.
class GeneratedViewStyles {
  public:
    // The plain-text style alone, for a view that shows the generated pages as they do, and
    // the desktop's colour where a page draws nothing.
    static void AddPlainText(WebKitWebView* view);

    explicit GeneratedViewStyles(WebKitWebView* view);
    ~GeneratedViewStyles();
    GeneratedViewStyles(const GeneratedViewStyles&) = delete;
    GeneratedViewStyles& operator=(const GeneratedViewStyles&) = delete;

    void HoldDrawing(bool held);

  private:
    WebKitWebView* view_;
    WebKitUserStyleSheet* holdDrawing_;
};

}  // namespace quorvane

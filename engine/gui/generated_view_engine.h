#pragma once

#include <wx/timer.h>

#include <functional>

#include "engine/gui/generated_view_styles.h"

typedef struct _GError GError;
typedef struct _GtkWidget GtkWidget;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// What a generated view's engine is set to and tells the view's page life (GeneratedViewLoad):
// it runs no script, reads files as UTF-8, loads pictures only while shown, draws nothing of a
// page while it is held, and says when the view gets its width and when a load is late to begin.
class GeneratedViewEngine {
  public:
    struct Told {
        std::function<void(bool hasWidth)> widthChanged;
        // A load asked for has not begun in its time (WatchLoadStart).
        std::function<void()> loadStartLate;
        // The page failed to load for want of the engine (its network process went): the
        // view should ask for it again. Told once until a page loads.
        std::function<void()> readAgain;
    };

    GeneratedViewEngine(WebKitWebView* view, bool drawingHeld, Told told);
    ~GeneratedViewEngine();
    GeneratedViewEngine(const GeneratedViewEngine&) = delete;
    GeneratedViewEngine& operator=(const GeneratedViewEngine&) = delete;

    void HoldDrawing(bool held);
    // A hidden view would otherwise download every picture of every page, competing with the
    // views the user looks at. Shown, it loads them in place.
    void LoadPictures(bool shown);
    void WatchLoadStart();
    void LoadStarted();

  private:
    static void OnSizeAllocated(GtkWidget* view, void* allocation, void* self);
    static int OnLoadFailed(WebKitWebView* view, int loadEvent, const char* failingUri,
                            GError* error, void* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);

    WebKitWebView* view_;
    GeneratedViewStyles styles_;
    wxTimer loadStartWatch_;
    Told told_;
    bool failed_ = false;     // the load under way failed
    bool readAgain_ = false;  // told to read again since a page last loaded
};

}  // namespace quorvane

#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// The events the main window handles. Every event carries the element's index first.
class BrowserEvents {
  public:
    virtual ~BrowserEvents() = default;
    virtual void StatusTextChange(int index, const std::string& text) = 0;
    virtual void ProgressChange(int index, std::int32_t progress, std::int32_t progressMax) = 0;
    // Raised at the end of every load of the element: finished, failed or stopped.
    virtual void LoadFinished(int index) = 0;
    virtual void TitleChange(int index, const std::string& text) = 0;
    // The page asks for address in a window of its own; byUser when the user asked for it
    // (a link's menu, a middle click) rather than the page itself.
    virtual void NewWindowRequested(int index, const std::string& address, bool byUser) = 0;
    // The engine has the bytes of the document the element loads whole, while its load may
    // go on for long (pictures, scripts, layout); LoadFinished still ends it. Not raised for
    // a document the engine shows from its cache without loading it, nor by the generated
    // views, so listeners that need no early bytes need not hear it.
    virtual void MainResourceFinished(int /*index*/) {}
    // The element's zoom level has changed, by a command or by Ctrl and the wheel. Only
    // the window shows it, so listeners that have no window need not hear it.
    virtual void ZoomChanged(int /*index*/, double /*level*/) {}
};

}  // namespace quorvane

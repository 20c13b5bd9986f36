#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "engine/file_fetcher.h"
#include "engine/resource_copies.h"
#include "engine/served_resource.h"

namespace quorvane {

// Raised by a browser element operation that cannot be carried out (no earlier page
// for GoBack, no later one for GoForward, ...).
class BrowserError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

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
    // The element's zoom level has changed, by a command or by Ctrl and the wheel. Only
    // the window shows it, so listeners that have no window need not hear it.
    virtual void ZoomChanged(int /*index*/, double /*level*/) {}
};

// One browser element: a view of the main window with its own history and document.
// Two twins implement it: WebViewBrowserElement on the real engine, and the fake the
// logic tests use. As a FileFetcher it fetches files with its cookies and session; as
// ResourceCopies it reads the files its page loaded from the engine's memory (only the
// Browser view keeps them).
class BrowserElement : public FileFetcher, public ResourceCopies {
  public:
    // nullopt when there is no HTML document or it has no body.
    using CaptureDone = std::function<void(std::optional<std::string> bodyHtml)>;
    // The number of matches of a search; more than the search's maximum when it found
    // more than that.
    using FindDone = std::function<void(unsigned matches)>;

    virtual ~BrowserElement() = default;

    virtual void Navigate(const std::string& address) = 0;
    // Loads a local file, given as a plain path, as a file URL.
    virtual void LoadFile(const std::string& filePath) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void GoHome() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;

    virtual std::string Address() const = 0;
    virtual std::string Title() const = 0;
    // What status panel 1 says of a page the element shows in place of the one asked
    // for, which could not be opened or was stopped ("Could not open …: …"); "" while it
    // shows a page of the web.
    virtual std::string OwnPageStatus() const = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;

    // While blocked, the pages the element shows load nothing from local files (their
    // own document may still be one). The generated views are blocked while they show
    // a web page's analysis, so that no address that page slipped into them can reach
    // a local file or device.
    virtual void SetLocalFilesBlocked(bool blocked) = 0;

    // A new page for the element is being made: until the element is sent to it (LoadFile)
    // or told otherwise, it shows no more of its old page than a line saying so. Only the
    // generated views do; the Browser view ignores it.
    virtual void SetPreparing(bool preparing) = 0;
    // While the new page is being made: its first screen, as the generated page at filePath
    // will most likely begin, shown in place of the line until the element is sent to the
    // page (whose own first screen then replaces it if they differ). localFilesBlocked as
    // SetLocalFilesBlocked will be for that page. Only the generated views show it.
    virtual void SetPreparedFirstScreen(std::string html, std::string filePath,
                                        bool localFilesBlocked) = 0;

    // Captures the document body's outer HTML as the engine gives it.
    // done runs exactly once: at once (fake) or once the engine answers (real), and
    // never after the element has been destroyed.
    virtual void CaptureBodyHtml(CaptureDone done) = 0;
    // The start of what CaptureBodyHtml would give, its first chars UTF-16 units, read
    // without the whole being made: nullopt when the body is no longer (or there is none).
    // done runs as CaptureBodyHtml's does, before the answer to a capture asked after it.
    virtual void CaptureBodyStart(std::size_t chars, CaptureDone done) = 0;

    // The bytes of the shown document as the engine received them, from its memory: the
    // page is never fetched again. nullopt when there is no document. done runs as
    // CaptureBodyHtml's does.
    using ResourceDone = std::function<void(std::optional<ServedResource> resource)>;
    virtual void ReadMainResourceCopy(ResourceDone done) = 0;

    // Highlights every match of text in the shown document, scrolls the first into view,
    // and counts the matches up to maxMatches; found runs once with the count, unless a
    // later Find or EndFind comes first. Letter case counts only when matchCase is true.
    virtual void Find(const std::string& text, bool matchCase, unsigned maxMatches,
                      FindDone found) = 0;
    // The match after (before) the current one; after the last comes the first again.
    virtual void FindNext() = 0;
    virtual void FindPrevious() = 0;
    // Removes the highlights of the last Find.
    virtual void EndFind() = 0;

    // From the next page on, the image gatherer runs in every frame of the pages the
    // element shows and each of its reports reaches reported as it came (JSON, from the
    // page's frames: to be read as hostile); newPage runs when a page begins to replace
    // the one shown, before any report of it. Only the Browser view gathers.
    using ImagesReported = std::function<void(std::string report)>;
    virtual void WatchImages(ImagesReported reported, std::function<void()> newPage) = 0;
    // Gathers the shown page's images again (it may have loaded more while scrolled).
    virtual void GatherImagesAgain() = 0;

    // The zoom level, 1.0 being the page's own size.
    virtual double ZoomLevel() const = 0;
    virtual void SetZoomLevel(double level) = 0;
};

}  // namespace quorvane

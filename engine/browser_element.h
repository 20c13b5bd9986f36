#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace quorvane {

// Raised by a browser element operation that cannot be carried out (no earlier page
// for GoBack, no later one for GoForward, ...).
class BrowserError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One browser element: a view of the main window with its own history and document, as
// every view is reached. The Browser view's element gives more (BrowserViewElement), and
// so does a generated view's (GeneratedViewElement). Two twins implement them both:
// WebViewBrowserElement on the real engine, and the fake the logic tests use.
class BrowserElement {
  public:
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
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;

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

    // The zoom level, 1.0 being the page's own size.
    virtual double ZoomLevel() const = 0;
    virtual void SetZoomLevel(double level) = 0;
};

}  // namespace quorvane

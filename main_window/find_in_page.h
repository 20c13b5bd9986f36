#pragma once

#include <functional>
#include <string>

#include "engine/browser_element.h"
#include "inspection/source_find.h"

namespace quorvane {

// "Find…" over the visible view: the text and letter-case choice of the find bar, the
// element searched, its number of matches and which of them is current ("3 of 41").
// The engine highlights and scrolls; this class counts, so the bar can say where the
// user is.
class FindInPage {
  public:
    // More matches than this are not counted one by one: a page full of "e" would
    // otherwise cost a search through all of it on every key.
    static constexpr unsigned kMaxMatches = 1000;
    using ShowStatus = std::function<void(const std::string& status)>;

    explicit FindInPage(ShowStatus showStatus);

    // Searches element for text; an empty text ends the search and shows no status.
    void Search(BrowserElement& element, const std::string& text, bool matchCase);
    // Runs the open search again in element when it is not the one searched (the
    // visible view changed); nothing while no search is open.
    void Follow(BrowserElement& element);
    void Next();
    void Previous();
    // Closes the search: the highlights go.
    void End();

  private:
    void Run(BrowserElement& element);
    void OnCounted(unsigned search, unsigned matches);
    void ShowPosition();

    ShowStatus showStatus_;
    BrowserElement* element_ = nullptr;
    std::string text_;
    bool matchCase_ = false;
    unsigned search_ = 0;  // numbers the searches, so a late answer is known as such
    bool counted_ = false;
    unsigned matches_ = 0;
    long steps_ = 0;  // Next minus Previous since the search: the current match is steps_ on
};

// What the find bar says: "" before the count, "Not found", "3 of 41", or "More than
// 1000 matches" past the count's limit. current counts from 1.
std::string FindStatusText(bool counted, unsigned matches, unsigned current, unsigned maxMatches);

// What the find bar says about a search of the Original Source view: as FindStatusText,
// or why there was no search ("Bad expression: " and what is wrong with it, or that the
// expression is too costly for this page).
std::string SourceFindStatusText(const SourceMatches& matches, std::size_t current,
                                 unsigned maxMatches);

}  // namespace quorvane

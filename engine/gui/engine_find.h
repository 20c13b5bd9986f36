#pragma once

#include <optional>
#include <string>

#include "engine/browser_element.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitFindController WebKitFindController;
typedef struct _WebKitUserStyleSheet WebKitUserStyleSheet;

namespace quorvane {

// Find in page on the engine's find controller: highlights and scrolls, and counts the
// matches of the last search only. The engine finds no text in a page it does not draw,
// so a search asked for while the view holds its page back waits until it is drawn.
class EngineFind {
  public:
    // How the current match stands out. Adding or removing a style sheet restyles the whole
    // page, seconds of the engine's time on a page of megabytes: the generated views, whose
    // pages are ours and may be that large, keep the style all the time (a selection there
    // is always in the match colour); the Browser view keeps the page's own look but while
    // a search is open.
    enum class CurrentMatchStyle { WhileSearching, Always };

    EngineFind(WebKitWebView* view, CurrentMatchStyle style);
    ~EngineFind();
    EngineFind(const EngineFind&) = delete;
    EngineFind& operator=(const EngineFind&) = delete;

    // Searches now, or, when held, once RunHeld is called.
    void Find(const std::string& text, bool matchCase, unsigned maxMatches,
              BrowserElement::FindDone found, bool held);
    void RunHeld();
    void Next();
    void Previous();
    void End();

  private:
    struct Search {
        std::string text;
        unsigned options = 0;
        unsigned maxMatches = 0;
    };

    static void OnCountedMatches(WebKitFindController* finder, unsigned matches, void* self);
    void Run(const Search& search);

    void StyleCurrentMatch(bool styled);

    WebKitWebView* view_;
    WebKitFindController* finder_;
    WebKitUserStyleSheet* currentMatchStyle_;
    bool currentMatchStyled_ = false;
    bool styleKept_ = false;          // styled for the view's whole life
    BrowserElement::FindDone found_;  // the last Find's, until the engine has counted
    unsigned countsAsked_ = 0;        // counts the engine owes, the last one being found_'s
    std::optional<Search> held_;      // a search waiting for the page to be drawn
};

}  // namespace quorvane

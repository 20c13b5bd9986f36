#include "engine/gui/engine_find.h"

#include <webkit2/webkit2.h>

#include <utility>

namespace quorvane {
namespace {

// The engine's editing command that clears the selection; the API names no macro for it.
constexpr const char* kUnselectCommand = "Unselect";
// The current match of a search, in the colours other browsers give it.
constexpr const char* kCurrentMatchStyle =
    "::selection { background-color: #ff9632 !important; color: #000 !important; }";

}  // namespace

EngineFind::EngineFind(WebKitWebView* view, CurrentMatchStyle style)
    : view_(view),
      finder_(webkit_web_view_get_find_controller(view)),
      currentMatchStyle_(
          webkit_user_style_sheet_new(kCurrentMatchStyle, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                      WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr)) {
    g_signal_connect(finder_, "counted-matches", G_CALLBACK(&OnCountedMatches), this);
    if (style == CurrentMatchStyle::Always) {
        StyleCurrentMatch(true);
        styleKept_ = true;
    }
}

EngineFind::~EngineFind() {
    g_signal_handlers_disconnect_by_data(finder_, this);
    webkit_user_style_sheet_unref(currentMatchStyle_);
}

// While a search is open, the current match (the engine selects it) stands out from the
// others, even while the find bar has the keyboard and the view's selection would
// otherwise be a faint grey.
void EngineFind::StyleCurrentMatch(bool styled) {
    if (styled == currentMatchStyled_ || styleKept_) {
        return;
    }
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view_);
    if (styled) {
        webkit_user_content_manager_add_style_sheet(content, currentMatchStyle_);
    } else {
        webkit_user_content_manager_remove_style_sheet(content, currentMatchStyle_);
    }
    currentMatchStyled_ = styled;
}

void EngineFind::Find(const std::string& text, bool matchCase, unsigned maxMatches,
                      BrowserElement::FindDone found, bool held) {
    const guint32 options =
        WEBKIT_FIND_OPTIONS_WRAP_AROUND | (matchCase ? 0 : WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE);
    found_ = std::move(found);
    StyleCurrentMatch(true);
    const Search search{text, options, maxMatches};
    if (held) {
        held_ = search;
        return;
    }
    Run(search);
}

void EngineFind::RunHeld() {
    if (held_) {
        Run(*std::exchange(held_, std::nullopt));
    }
}

// A new search starts at the top of the page: from the current match, as the engine would
// start it, "needl" typed after the second "need" would select the second match while the
// count, knowing no positions, says "1 of 3".
void EngineFind::Run(const Search& search) {
    webkit_web_view_execute_editing_command(view_, kUnselectCommand);
    ++countsAsked_;
    webkit_find_controller_count_matches(finder_, search.text.c_str(), search.options,
                                         search.maxMatches);
    webkit_find_controller_search(finder_, search.text.c_str(), search.options, search.maxMatches);
}

void EngineFind::Next() {
    webkit_find_controller_search_next(finder_);
}

void EngineFind::Previous() {
    webkit_find_controller_search_previous(finder_);
}

void EngineFind::End() {
    found_ = nullptr;
    held_.reset();
    webkit_find_controller_search_finish(finder_);
    StyleCurrentMatch(false);
}

// Only the answer to the last count is passed on: the ones before belong to searches the
// user has typed past.
void EngineFind::OnCountedMatches(WebKitFindController*, unsigned matches, void* self) {
    auto* find = static_cast<EngineFind*>(self);
    if (find->countsAsked_ > 0 && --find->countsAsked_ == 0 && find->found_) {
        std::exchange(find->found_, nullptr)(matches);
    }
}

}  // namespace quorvane

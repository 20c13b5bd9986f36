#include "engine/gui/engine_find.h"

#include <webkit2/webkit2.h>

#include <utility>

namespace quorvane {

EngineFind::EngineFind(WebKitWebView* view) : finder_(webkit_web_view_get_find_controller(view)) {
    g_signal_connect(finder_, "counted-matches", G_CALLBACK(&OnCountedMatches), this);
}

EngineFind::~EngineFind() {
    g_signal_handlers_disconnect_by_data(finder_, this);
}

void EngineFind::Find(const std::string& text, bool matchCase, unsigned maxMatches,
                      BrowserElement::FindDone found, bool held) {
    const guint32 options =
        WEBKIT_FIND_OPTIONS_WRAP_AROUND | (matchCase ? 0 : WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE);
    found_ = std::move(found);
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

void EngineFind::Run(const Search& search) {
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

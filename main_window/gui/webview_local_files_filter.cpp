// The browser element's filter that keeps a web page's generated views from loading
// local files, made once in a store of its own and put on or taken off per page.
#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <cstring>
#include <string>
#include <utility>

#include "main_window/gui/webview_browser_element.h"

namespace quorvane {
namespace {

// Blocks every load of a local file except a document of the view's own (the generated
// page itself, or a page the user follows a link to).
constexpr const char* kLocalFilesFilterId = "local-files";
constexpr const char* kLocalFilesRules =
    R"([{"trigger": {"url-filter": "^file:", "resource-type": ["image", "style-sheet", "script",)"
    R"( "font", "raw", "svg-document", "media"]}, "action": {"type": "block"}}])";

}  // namespace

void WebViewBrowserElement::PrepareLocalFilesFilter() {
    if (filterStore_ != nullptr) {
        return;
    }
    gchar* folder = g_dir_make_tmp("quorvane-filter-XXXXXX", nullptr);
    if (folder == nullptr) {
        return;
    }
    filterFolder_ = folder;
    g_free(folder);
    filterStore_ = webkit_user_content_filter_store_new(filterFolder_.c_str());
    GBytes* rules = g_bytes_new_static(kLocalFilesRules, std::strlen(kLocalFilesRules));
    filterBeingMade_ = true;
    webkit_user_content_filter_store_save(filterStore_, kLocalFilesFilterId, rules, captures_,
                                          &OnFilterSaved, this);
    g_bytes_unref(rules);
}

// Without a filter (the engine could not make one) the pages load as they always did:
// the analysis itself already keeps a web page's local addresses out of them.
void WebViewBrowserElement::OnFilterSaved(GObject* store, GAsyncResult* result, void* self) {
    GError* error = nullptr;
    WebKitUserContentFilter* filter = webkit_user_content_filter_store_save_finish(
        WEBKIT_USER_CONTENT_FILTER_STORE(store), result, &error);
    if (error != nullptr) {
        // A cancelled filter belongs to an element that is gone.
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_error_free(error);
        if (cancelled) {
            return;
        }
    }
    auto* element = static_cast<WebViewBrowserElement*>(self);
    element->localFilesFilter_ = filter;
    element->filterBeingMade_ = false;
    element->ApplyLocalFilesFilter();
    if (!element->loadAfterFilter_.empty()) {
        element->LoadAddress(std::exchange(element->loadAfterFilter_, std::string()));
    }
}

void WebViewBrowserElement::SetLocalFilesBlocked(bool blocked) {
    localFilesBlocked_ = blocked;
    PrepareLocalFilesFilter();
    ApplyLocalFilesFilter();
}

void WebViewBrowserElement::ApplyLocalFilesFilter() {
    if (localFilesFilter_ == nullptr || filterApplied_ == localFilesBlocked_) {
        return;
    }
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(native_);
    if (localFilesBlocked_) {
        webkit_user_content_manager_add_filter(manager, localFilesFilter_);
    } else {
        webkit_user_content_manager_remove_filter(manager, localFilesFilter_);
    }
    filterApplied_ = localFilesBlocked_;
}

}  // namespace quorvane

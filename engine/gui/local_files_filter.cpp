#include "engine/gui/local_files_filter.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <cstring>
#include <utility>

namespace quorvane {
namespace {

// Blocks every load of a local file except a document of the view's own (the generated
// page itself, or a page the user follows a link to). The identifier names the rules'
// version: a store kept from a program with other rules is compiled anew.
constexpr const char* kLocalFilesFilterId = "local-files-1";
constexpr const char* kLocalFilesRules =
    R"([{"trigger": {"url-filter": "^file:", "resource-type": ["image", "style-sheet", "script",)"
    R"( "font", "raw", "svg-document", "media"]}, "action": {"type": "block"}}])";

std::string StoreFolder() {
    gchar* folder =
        g_build_filename(g_get_user_cache_dir(), "quorvane", "content-filters", nullptr);
    std::string path = folder;
    g_free(folder);
    return path;
}

// A cancelled answer belongs to a store that is gone: nobody may be told.
bool Cancelled(GError* error) {
    const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    g_error_free(error);
    return cancelled;
}

}  // namespace

LocalFilesFilterStore::LocalFilesFilterStore() : cancellable_(g_cancellable_new()) {}

LocalFilesFilterStore::~LocalFilesFilterStore() {
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
    if (filter_ != nullptr) {
        webkit_user_content_filter_unref(filter_);
    }
    if (store_ != nullptr) {
        g_object_unref(store_);
    }
}

// The filter compiled by an earlier run is loaded; only when there is none is it compiled.
void LocalFilesFilterStore::WhenReady(Ready ready) {
    if (made_) {
        ready(filter_);
        return;
    }
    waiting_.push_back(std::move(ready));
    if (asked_) {
        return;
    }
    asked_ = true;
    const std::string folder = StoreFolder();
    g_mkdir_with_parents(folder.c_str(), 0700);
    store_ = webkit_user_content_filter_store_new(folder.c_str());
    webkit_user_content_filter_store_load(store_, kLocalFilesFilterId, cancellable_, &OnLoaded,
                                          this);
}

void LocalFilesFilterStore::OnLoaded(GObject* store, GAsyncResult* result, void* self) {
    GError* error = nullptr;
    WebKitUserContentFilter* filter = webkit_user_content_filter_store_load_finish(
        WEBKIT_USER_CONTENT_FILTER_STORE(store), result, &error);
    if (error == nullptr) {
        static_cast<LocalFilesFilterStore*>(self)->Finish(filter);
        return;
    }
    if (Cancelled(error)) {
        return;
    }
    auto* owner = static_cast<LocalFilesFilterStore*>(self);
    GBytes* rules = g_bytes_new_static(kLocalFilesRules, std::strlen(kLocalFilesRules));
    webkit_user_content_filter_store_save(owner->store_, kLocalFilesFilterId, rules,
                                          owner->cancellable_, &OnSaved, owner);
    g_bytes_unref(rules);
}

// Without a filter (the engine could not make one) the pages load as they always did: the
// analysis itself already keeps a web page's local addresses out of them.
void LocalFilesFilterStore::OnSaved(GObject* store, GAsyncResult* result, void* self) {
    GError* error = nullptr;
    WebKitUserContentFilter* filter = webkit_user_content_filter_store_save_finish(
        WEBKIT_USER_CONTENT_FILTER_STORE(store), result, &error);
    if (error != nullptr && Cancelled(error)) {
        return;
    }
    static_cast<LocalFilesFilterStore*>(self)->Finish(filter);
}

void LocalFilesFilterStore::Finish(WebKitUserContentFilter* filter) {
    filter_ = filter;
    made_ = true;
    for (Ready& ready : std::exchange(waiting_, {})) {
        ready(filter_);
    }
}

LocalFilesFilter::LocalFilesFilter(WebKitWebView* view,
                                   std::shared_ptr<LocalFilesFilterStore> store)
    : view_(view), store_(std::move(store)), self_(std::make_shared<LocalFilesFilter*>(this)) {
    // Asked for now, so that it is ready before the first web page is analysed.
    store_->WhenReady(
        [alive = std::weak_ptr<LocalFilesFilter*>(self_)](WebKitUserContentFilter* filter) {
            if (const auto self = alive.lock()) {
                (*self)->OnReady(filter);
            }
        });
}

LocalFilesFilter::~LocalFilesFilter() {
    if (filter_ != nullptr) {
        webkit_user_content_filter_unref(filter_);
    }
}

void LocalFilesFilter::OnReady(WebKitUserContentFilter* filter) {
    filter_ = filter != nullptr ? webkit_user_content_filter_ref(filter) : nullptr;
    ready_ = true;
    Apply();
    if (waitingLoad_) {
        std::exchange(waitingLoad_, nullptr)();
    }
}

void LocalFilesFilter::SetBlocked(bool blocked) {
    blocked_ = blocked;
    Apply();
}

bool LocalFilesFilter::KeepUntilReady(std::function<void()> load) {
    if (ready_ || !blocked_) {
        waitingLoad_ = nullptr;
        return false;
    }
    waitingLoad_ = std::move(load);
    return true;
}

void LocalFilesFilter::Apply() {
    if (filter_ == nullptr || applied_ == blocked_) {
        return;
    }
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(view_);
    if (blocked_) {
        webkit_user_content_manager_add_filter(manager, filter_);
    } else {
        webkit_user_content_manager_remove_filter(manager, filter_);
    }
    applied_ = blocked_;
}

}  // namespace quorvane

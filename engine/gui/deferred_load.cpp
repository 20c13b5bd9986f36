#include "engine/gui/deferred_load.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <filesystem>
#include <string_view>
#include <system_error>

#include "engine/gui/local_files_filter.h"

namespace quorvane {

void DeferredLoad::EngineMade(wxWebView* view, LocalFilesFilter* localFiles) {
    view_ = view;
    localFiles_ = localFiles;
}

void DeferredLoad::SentTo(const wxString& uri, const std::string& address, bool due) {
    uri_ = uri;
    address_ = address;
    due_ = due;
}

// Had the engine begun the page asked for first while it still loaded its empty one, it could
// leave out that load's start, and the view would wait for it for ever.
bool DeferredLoad::EngineReady() const {
    return view_ != nullptr && !creationLoadPending_;
}

// wxWebView loads an empty page of its own when it is created, which nobody asked for and
// which raises no event: no analysis runs on it at start. It ends before anything asked for
// later begins; should it never come, the first page of ours to commit ends the wait.
bool DeferredLoad::InCreationLoad(int loadEvent, const char* uri) {
    if (!creationLoadPending_) {
        return false;
    }
    const bool blank = uri == nullptr || *uri == '\0' || std::string_view(uri) == "about:blank";
    if (loadEvent == WEBKIT_LOAD_FINISHED || (loadEvent == WEBKIT_LOAD_COMMITTED && !blank)) {
        creationLoadPending_ = false;
        if (loadEvent != WEBKIT_LOAD_FINISHED) {
            return false;
        }
        LoadDeferred();
    }
    return true;
}

void DeferredLoad::LoadDeferred() {
    if (!due_) {
        return;
    }
    if (localFiles_ != nullptr && localFiles_->KeepUntilReady([this] { LoadDeferred(); })) {
        return;
    }
    due_ = false;
    view_->LoadURL(uri_);
}

std::uintmax_t DeferredLoad::SentPageBytes() const {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(address_, error);
    return error ? 0 : bytes;
}

std::string DeferredLoad::Address() const {
    return view_ ? view_->GetCurrentURL().utf8_string() : uri_.utf8_string();
}

}  // namespace quorvane

#pragma once

#include <wx/string.h>

#include <cstdint>
#include <string>

class wxWebView;

namespace quorvane {

class LocalFilesFilter;

// The page a view was last sent to, and its load while the engine cannot begin it yet: a
// generated view's engine is made only when the view is first shown, and every engine first
// loads an empty page of its own when it is created. A page asked for before then is loaded
// once the engine has done with that empty page.
class DeferredLoad {
  public:
    // The engine is there: view is its window; localFiles keeps a deferred load back until it
    // can keep local files out (none for a view that need not).
    void EngineMade(wxWebView* view, LocalFilesFilter* localFiles);

    // The view is sent to address (uri: what the engine loads for it). due: the engine could
    // not begin it yet, so LoadDeferred loads it later.
    void SentTo(const wxString& uri, const std::string& address, bool due);
    // Whether the engine can begin a page now.
    bool EngineReady() const;
    // True for the events of the empty page wxWidgets loads when it is created. When that
    // load ends, the page asked for before is loaded.
    bool InCreationLoad(int loadEvent, const char* uri);
    bool CreationLoadPending() const { return creationLoadPending_; }

    // The page the view shows, or the one it will load once it has its engine.
    std::string Address() const;
    // The last page the view was sent to, as the engine loads it and as it was asked for.
    const wxString& SentUri() const { return uri_; }
    const std::string& SentAddress() const { return address_; }
    // The size of the generated page the view was sent to; 0 for an address of the web.
    std::uintmax_t SentPageBytes() const;

  private:
    // Loads the page asked for before the engine could begin it, if there is one.
    void LoadDeferred();

    wxWebView* view_ = nullptr;
    LocalFilesFilter* localFiles_ = nullptr;
    wxString uri_;
    std::string address_;
    bool due_ = false;
    bool creationLoadPending_ = true;
};

}  // namespace quorvane

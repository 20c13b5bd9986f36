#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

typedef struct _GCancellable GCancellable;
typedef struct _GObject GObject;
typedef struct _GAsyncResult GAsyncResult;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitUserContentFilter WebKitUserContentFilter;
typedef struct _WebKitUserContentFilterStore WebKitUserContentFilterStore;

namespace quorvane {

// The content filter that keeps local files out of the pages of a web page's generated
// views, compiled by the engine once per program into one store in the user's cache
// folder. The views share it; each one puts it on or takes it off as its blocking changes.
class LocalFilesFilterStore {
  public:
    // Told the filter once it is there, or nullptr when the engine could not make one.
    using Ready = std::function<void(WebKitUserContentFilter* filter)>;

    LocalFilesFilterStore();
    ~LocalFilesFilterStore();
    LocalFilesFilterStore(const LocalFilesFilterStore&) = delete;
    LocalFilesFilterStore& operator=(const LocalFilesFilterStore&) = delete;

    // Runs ready with the filter: at once when it is made, else once the engine has made
    // it. The first call has it made.
    void WhenReady(Ready ready);

  private:
    static void OnLoaded(GObject* store, GAsyncResult* result, void* self);
    static void OnSaved(GObject* store, GAsyncResult* result, void* self);
    void Finish(WebKitUserContentFilter* filter);

    WebKitUserContentFilterStore* store_ = nullptr;
    GCancellable* cancellable_;
    WebKitUserContentFilter* filter_ = nullptr;
    bool asked_ = false;
    bool made_ = false;
    std::vector<Ready> waiting_;
};

// One view's use of the program's filter: while blocked, the pages the view shows load
// nothing from local files (their own document may still be one). A filter in the view
// leaves the generated pages as they are, local files at their own paths, so that a local
// page's pictures still show; it stops a load before it starts, whatever address got into
// the page.
class LocalFilesFilter {
  public:
    LocalFilesFilter(WebKitWebView* view, std::shared_ptr<LocalFilesFilterStore> store);
    ~LocalFilesFilter();
    LocalFilesFilter(const LocalFilesFilter&) = delete;
    LocalFilesFilter& operator=(const LocalFilesFilter&) = delete;

    void SetBlocked(bool blocked);
    // A load asked for while blocked before the filter is there waits for it: true when
    // load was kept to run then (it replaces one kept before).
    bool KeepUntilReady(std::function<void()> load);

  private:
    void OnReady(WebKitUserContentFilter* filter);
    void Apply();

    WebKitWebView* view_;
    std::shared_ptr<LocalFilesFilterStore> store_;
    std::shared_ptr<LocalFilesFilter*> self_;  // gone with this filter, for the store's answer
    WebKitUserContentFilter* filter_ = nullptr;
    bool ready_ = false;
    bool blocked_ = false;
    bool applied_ = false;
    std::function<void()> waitingLoad_;
};

}  // namespace quorvane

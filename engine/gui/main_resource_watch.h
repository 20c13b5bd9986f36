#pragma once

#include <functional>

typedef struct _WebKitURIRequest WebKitURIRequest;
typedef struct _WebKitWebResource WebKitWebResource;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Tells when the engine has the document a view loads whole: the end of its main
// resource, which comes as soon as the last byte is in, whatever the page's pictures,
// scripts and layout still do. A document that fails or is stopped before tells nothing,
// and neither does one the engine shows from its cache without loading it.
class MainResourceWatch {
  public:
    MainResourceWatch(WebKitWebView* view, std::function<void()> finished);
    ~MainResourceWatch();
    MainResourceWatch(const MainResourceWatch&) = delete;
    MainResourceWatch& operator=(const MainResourceWatch&) = delete;

  private:
    static void OnResourceLoadStarted(WebKitWebView* view, WebKitWebResource* resource,
                                      WebKitURIRequest* request, void* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);
    static void OnFinished(WebKitWebResource* resource, void* self);
    void Watch(WebKitWebResource* resource);
    void LetGo();

    WebKitWebView* view_;
    std::function<void()> finished_;
    WebKitWebResource* watched_ = nullptr;  // a reference of our own while watched
    unsigned long finishedId_ = 0;
};

}  // namespace quorvane

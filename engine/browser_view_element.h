#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "engine/browser_element.h"
#include "engine/file_fetcher.h"
#include "engine/page_archiving.h"
#include "engine/request_events.h"
#include "engine/resource_copies.h"
#include "engine/served_resource.h"

namespace quorvane {

// The Browser view's element: the page the user chose, which the features look behind.
// Besides what every element does, it gives its document's body and the engine's copy of
// the document, gathers its images, says when it shows a page of its own, fetches files
// with its cookies and session (FileFetcher), and reads the files its page loaded from
// the engine's memory (ResourceCopies), and saves its page whole (PageArchiving).
class BrowserViewElement : public virtual BrowserElement,
                           public FileFetcher,
                           public ResourceCopies,
                           public PageArchiving {
  public:
    // nullopt when there is no HTML document or it has no body.
    using CaptureDone = std::function<void(std::optional<std::string> bodyHtml)>;
    // Reports of the image gatherer (JSON, from the page's frames: to be read as hostile).
    using ImagesReported = std::function<void(std::string report)>;

    // What status panel 1 says of a page the element shows in place of the one asked
    // for, which could not be opened or was stopped ("Could not open …: …"); "" while it
    // shows a page of the web.
    virtual std::string OwnPageStatus() const = 0;

    // Captures the document body's outer HTML as the engine gives it.
    // done runs exactly once: at once (fake) or once the engine answers (real), and
    // never after the element has been destroyed.
    virtual void CaptureBodyHtml(CaptureDone done) = 0;
    // The start of what CaptureBodyHtml would give, its first chars UTF-16 units, read
    // without the whole being made: nullopt when the body is no longer (or there is none).
    // done runs as CaptureBodyHtml's does, before the answer to a capture asked after it.
    virtual void CaptureBodyStart(std::size_t chars, CaptureDone done) = 0;

    // The bytes of the shown document as the engine received them, from its memory: the
    // page is never fetched again. nullopt when there is no document. done runs as
    // CaptureBodyHtml's does.
    using ResourceDone = std::function<void(std::optional<ServedResource> resource)>;
    virtual void ReadMainResourceCopy(ResourceDone done) = 0;

    // From the next page on, the image gatherer runs in every frame of the pages the
    // element shows and each of its reports reaches reported as it came; newPage runs
    // when a page begins to replace the one shown, before any report of it.
    virtual void WatchImages(ImagesReported reported, std::function<void()> newPage) = 0;
    // Gathers the shown page's images again (it may have loaded more while scrolled).
    virtual void GatherImagesAgain() = 0;

    // From now on, events hears every request of the pages the element shows, as the
    // engine makes it; events must outlive the element, or be followed by another call.
    virtual void WatchRequests(RequestEvents& events) = 0;
};

}  // namespace quorvane

#pragma once

#include <string>

#include "engine/browser_element.h"

namespace quorvane {

// A generated view's element (the Source Code and Images views): it shows the pages the
// program makes of the Browser view's page, and says so while a new one is being made.
class GeneratedViewElement : public virtual BrowserElement {
  public:
    // While blocked, the pages the element shows load nothing from local files (their
    // own document may still be one). The generated views are blocked while they show
    // a web page's analysis, so that no address that page slipped into them can reach
    // a local file or device.
    virtual void SetLocalFilesBlocked(bool blocked) = 0;

    // A new page for the element is being made: until the element is sent to it (LoadFile)
    // or told otherwise, it shows no more of its old page than a line saying so.
    virtual void SetPreparing(bool preparing) = 0;
    // While the new page is being made: its first screen, as the generated page at filePath
    // will most likely begin, shown in place of the line until the element is sent to the
    // page (whose own first screen then replaces it if they differ). localFilesBlocked as
    // SetLocalFilesBlocked will be for that page.
    virtual void SetPreparedFirstScreen(std::string html, std::string filePath,
                                        bool localFilesBlocked) = 0;
};

}  // namespace quorvane

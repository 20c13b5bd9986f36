#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// Writes the page a view shows whole into one file: its document as it stands now, with the
// pictures, style sheets and frames it loaded (MHTML, as the engine writes it).
class PageArchiving {
  public:
    // nullopt when the archive was written whole, else why not.
    using ArchiveDone = std::function<void(std::optional<std::string> error)>;

    virtual ~PageArchiving() = default;

    // Writes the shown page into the existing file filePath, in place of what it held. done
    // runs once, at once (fake) or once the engine has written it (real), never after the
    // element has been destroyed.
    virtual void SavePageArchive(const std::string& filePath, ArchiveDone done) = 0;
};

}  // namespace quorvane

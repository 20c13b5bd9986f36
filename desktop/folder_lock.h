#pragma once

#include <optional>
#include <string>

namespace quorvane {

// An advisory lock on a folder, held while the object lives, so that a run owning a
// work folder keeps every other run out of it. It is taken on the folder itself (flock
// on the open folder) rather than on a lock file, so that the folder gains no file.
class FolderLock {
  public:
    // Takes the lock on folder, waiting for it when wait is true. nullopt when another
    // run holds it and wait is false. On a file system that keeps no such locks (some
    // network file systems) the lock is empty and the run goes on unguarded, as runs
    // always did.
    static std::optional<FolderLock> Take(const std::string& folder, bool wait);

    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    explicit FolderLock(int fd) : fd_(fd) {}

    int fd_ = -1;
};

}  // namespace quorvane

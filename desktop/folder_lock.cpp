#include "desktop/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace quorvane {

std::optional<FolderLock> FolderLock::Take(const std::string& folder, bool wait) {
    FolderLock lock(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.fd_ < 0) {
        return lock;
    }
    int result = 0;
    do {
        result = ::flock(lock.fd_, LOCK_EX | (wait ? 0 : LOCK_NB));
    } while (result != 0 && errno == EINTR);
    if (result != 0 && errno == EWOULDBLOCK) {
        return std::nullopt;
    }
    if (result != 0) {
        return FolderLock(-1);
    }
    return lock;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
}

}  // namespace quorvane

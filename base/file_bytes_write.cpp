#include "base/file_bytes_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace quorvane {

namespace {

[[noreturn]] void ThrowWriteError(const std::filesystem::path& path, int error) {
    throw std::system_error(error != 0 ? error : EIO, std::generic_category(),
                            "cannot write " + path.string());
}

}  // namespace

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        ThrowWriteError(path, errno);
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            ::close(fd);
            ThrowWriteError(path, error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(fd) != 0) {
        ThrowWriteError(path, errno);
    }
}

}  // namespace quorvane

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

FileBytesWriter::FileBytesWriter(const std::filesystem::path& path)
    : path_(path), fd_(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)) {
    if (fd_ < 0) {
        ThrowWriteError(path_, errno);
    }
}

FileBytesWriter::~FileBytesWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void FileBytesWriter::Append(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            ThrowWriteError(path_, written < 0 ? errno : EIO);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void FileBytesWriter::Close() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        ThrowWriteError(path_, errno);
    }
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    FileBytesWriter file(path);
    file.Append(bytes);
    file.Close();
}

}  // namespace quorvane

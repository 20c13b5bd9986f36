#include "base/whole_file_write.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "base/process_gone.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNewSuffix = ".new";

[[noreturn]] void ThrowWriteError(const std::string& path, int error) {
    throw std::system_error(error != 0 ? error : EIO, std::generic_category(),
                            "cannot write " + path);
}

bool Exists(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

// The process that wrote the hidden new file name (".<name>.<pid>-<attempt>.new"), or
// 0 when name is no such file.
pid_t WriterOf(std::string_view name) {
    if (!name.starts_with('.') || !name.ends_with(kNewSuffix)) {
        return 0;
    }
    name.remove_suffix(kNewSuffix.size());
    const std::size_t dash = name.rfind('-');
    const std::size_t dot = name.rfind('.', dash);
    if (dash == std::string_view::npos || dot == std::string_view::npos || dot == 0) {
        return 0;
    }
    const std::string_view pid = name.substr(dot + 1, dash - dot - 1);
    const std::string_view attempt = name.substr(dash + 1);
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() <= 9 &&
               text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return digits(pid) && digits(attempt) ? static_cast<pid_t>(std::stol(std::string(pid))) : 0;
}

}  // namespace

WholeFileWrite::WholeFileWrite(const std::string& target) : target_(target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
    const std::string name = target.substr(slash == std::string::npos ? 0 : slash + 1);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        path_ = folder + "/." + name + "." + std::to_string(::getpid()) + "-" +
                std::to_string(attempt) + std::string(kNewSuffix);
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            ThrowWriteError(target_, errno);
        }
    }
    struct stat status {};
    if (::stat(target_.c_str(), &status) == 0) {
        ::fchmod(fd_, status.st_mode & 07777);
    }
}

WholeFileWrite::~WholeFileWrite() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!path_.empty()) {
        ::unlink(path_.c_str());
    }
}

void WholeFileWrite::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            ThrowWriteError(target_, written < 0 ? errno : EIO);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void WholeFileWrite::Sync() {
    if (::fsync(fd_) != 0) {
        ThrowWriteError(target_, errno);
    }
}

void WholeFileWrite::ReplaceTarget() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(path_.c_str(), target_.c_str()) != 0) {
        ThrowWriteError(target_, errno);
    }
    path_.clear();
}

bool MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (errno != EPERM && errno != EOPNOTSUPP) {
        return false;
    }
    if (Exists(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveLeftoverWrites(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const pid_t writer = WriterOf(entry.path().filename().string());
        if (ProcessGone(writer)) {
            fs::remove(entry.path(), error);
        }
    }
}

}  // namespace quorvane

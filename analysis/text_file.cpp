#include "analysis/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quorvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

[[noreturn]] void ThrowFileError(const std::string& path, const char* what, int error) {
    throw std::system_error(error != 0 ? error : EIO, std::generic_category(),
                            std::string(what) + " " + path);
}

constexpr std::string_view kNewSuffix = ".new";

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

// A new file of this process's own beside path, hidden and named after it, with the
// permissions the work file has (or would get). It is removed unless Commit renames it
// over the work file, so a write that fails anywhere leaves nothing behind.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& path) : target_(path) {
        const std::size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
        const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
        for (int attempt = 0; fd_ < 0; ++attempt) {
            path_ = folder + "/." + name + "." + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt) + std::string(kNewSuffix);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) {
                ThrowFileError(target_, "cannot write", errno);
            }
        }
        struct stat status {};
        if (::stat(target_.c_str(), &status) == 0) {
            ::fchmod(fd_, status.st_mode & 07777);
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                ThrowFileError(target_, "cannot write", written < 0 ? errno : EIO);
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    // Closes the file and puts it in the work file's place.
    void Commit() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 || ::rename(path_.c_str(), target_.c_str()) != 0) {
            ThrowFileError(target_, "cannot write", errno);
        }
        path_.clear();
    }

  private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
};

}  // namespace

// A work file is the page a view shows, or what the next step reads: it must hold the
// whole text or, when the disk is full or the folder cannot be written, what it held
// before, never a part. So the text goes to a file of its own first and takes the work
// file's place only once all of it is written. A work file that cannot be written as
// it stands (read-only) is refused as an open for writing would refuse it.
void WriteTextFile(const std::string& path, std::string_view text) {
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        ThrowFileError(path, "cannot write", errno);
    }
    TemporaryFile file(path);
    file.Write(text);
    file.Write(kCrLf);
    file.Commit();
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::string ReadTextFile(const std::string& path) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ThrowFileError(path, "cannot open", errno);
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        ThrowFileError(path, "cannot read", errno);
    }
    return text;
}

void RemoveLeftoverWrites(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const pid_t writer = WriterOf(entry.path().filename().string());
        // A process that is gone has no process group either.
        if (writer > 0 && writer != ::getpid() && ::getpgid(writer) < 0 && errno == ESRCH) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

}  // namespace quorvane

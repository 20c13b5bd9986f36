#include "saving/partial_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "base/process_gone.h"
#include "base/whole_file_write.h"
#include "desktop/translation.h"
#include "engine/download_target.h"
#include "saving/saved_file_name.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

// The mark tells the program's partial files from the user's own ".part" files, and
// the number says which run writes it, so that only those of a killed run are removed.
constexpr std::string_view kMark = ".quorvane-";
constexpr std::string_view kPartSuffix = ".part";

bool TakenWithItsPartialFile(const fs::path& folder, const std::string& name) {
    return Exists(folder / name) || Exists(folder / PartialFile::PartialName(name));
}

}  // namespace

std::string PartialFile::PartialName(const std::string& name) {
    return name + std::string(kMark) + std::to_string(::getpid()) + std::string(kPartSuffix);
}

pid_t PartialFileWriter(std::string_view fileName) {
    if (fileName.ends_with(kEngineSuffix)) {
        fileName.remove_suffix(std::string_view(kEngineSuffix).size());
    }
    if (!fileName.ends_with(kPartSuffix)) {
        return 0;
    }
    fileName.remove_suffix(kPartSuffix.size());
    const std::size_t mark = fileName.rfind(kMark);
    if (mark == std::string_view::npos || mark == 0) {
        return 0;
    }
    const std::string_view pid = fileName.substr(mark + kMark.size());
    if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != pid.npos) {
        return 0;
    }
    return static_cast<pid_t>(std::stol(std::string(pid)));
}

void RemoveLeftPartialFiles(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::error_code ignored;
        if (entry.is_regular_file(ignored) &&
            ProcessGone(PartialFileWriter(entry.path().filename().string()))) {
            fs::remove(entry.path(), ignored);
        }
    }
}

PartialFile::PartialFile(const fs::path& folder, const std::string& name, int firstNumber)
    : folder_(folder), name_(name), firstNumber_(firstNumber) {
    fs::create_directories(folder_);
    // Another program may take the free name between the test and the creation.
    constexpr int kTries = 100;
    for (int tries = 1;; ++tries) {
        final_ = FreePath();
        partial_ = folder_ / PartialName(final_.filename().string());
        const int fd = ::open(partial_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            return;
        }
        if (errno != EEXIST || tries == kTries) {
            const int error = errno;
            partial_.clear();
            throw std::system_error(error, std::generic_category(),
                                    Translated("cannot create a file in {1}", {folder_.string()}));
        }
    }
}

PartialFile::PartialFile(PartialFile&& other) noexcept
    : folder_(std::move(other.folder_)),
      name_(std::move(other.name_)),
      firstNumber_(other.firstNumber_),
      partial_(std::move(other.partial_)),
      final_(std::move(other.final_)),
      committed_(std::exchange(other.committed_, true)) {}

PartialFile::~PartialFile() {
    if (!committed_ && !partial_.empty()) {
        std::error_code ignored;
        fs::remove(partial_, ignored);
    }
}

fs::path PartialFile::FreePath() const {
    return folder_ / FreeFileName(
                         name_,
                         [this](const std::string& candidate) {
                             return TakenWithItsPartialFile(folder_, candidate);
                         },
                         firstNumber_);
}

void PartialFile::Rename(const std::string& name) {
    name_ = name;
    firstNumber_ = 0;
    final_ = FreePath();
}

fs::path PartialFile::Commit() {
    // Each try that loses a race to another program takes the next free name.
    constexpr int kTries = 100;
    for (int tries = 1; !MoveWithoutReplacing(partial_, final_); ++tries) {
        if (errno != EEXIST || tries == kTries) {
            throw std::system_error(errno, std::generic_category(),
                                    Translated("cannot name the file {1}", {final_.string()}));
        }
        final_ = FreePath();
    }
    committed_ = true;
    return final_;
}

}  // namespace quorvane

#pragma once

#include <filesystem>
#include <string_view>

namespace quorvane {

// Writes bytes into the existing file path, in place of what it held. Throws
// std::system_error with the system's reason (a full disk, a file too large).
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// The existing file path emptied and written piece by piece, for bytes made as they are
// written. Each step throws std::system_error with the system's reason; the file is
// closed when the object goes, and Close says whether its last bytes reached the disk.
class FileBytesWriter {
  public:
    explicit FileBytesWriter(const std::filesystem::path& path);
    ~FileBytesWriter();
    FileBytesWriter(const FileBytesWriter&) = delete;
    FileBytesWriter& operator=(const FileBytesWriter&) = delete;

    void Append(std::string_view bytes);
    void Close();

  private:
    std::filesystem::path path_;
    int fd_ = -1;
};

}  // namespace quorvane

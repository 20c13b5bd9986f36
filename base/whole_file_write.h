#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// A write that leaves a file whole or not at all. The bytes go to a hidden new file of
// this process's own beside the target (".<name>.<pid>-<attempt>.new"), with the
// permissions the target has (or would get), and take the target's place only on
// ReplaceTarget. Until then the new file is removed when the object goes, so a write
// that fails anywhere leaves the target as it was and nothing behind. Throws
// std::system_error naming the target and the error.
class WholeFileWrite {
  public:
    explicit WholeFileWrite(const std::string& target);
    ~WholeFileWrite();
    WholeFileWrite(const WholeFileWrite&) = delete;
    WholeFileWrite& operator=(const WholeFileWrite&) = delete;

    void Write(std::string_view bytes);
    // Forces the bytes to the disk, for a file whose loss in a crash costs the user
    // more than the wait.
    void Sync();
    // Closes the new file and renames it over the target.
    void ReplaceTarget();

  private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
};

// Renames from to to unless to exists; errno EEXIST when it does. Folders that cannot
// rename without replacing (some network and FAT file systems) get a hard link, or at
// last a test for the name followed by a plain rename.
bool MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the hidden new files that runs killed in the middle of a write left in
// folder: those of processes that are gone. Nothing else in the folder is touched.
void RemoveLeftoverWrites(const std::string& folder);

}  // namespace quorvane

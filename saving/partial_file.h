#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// A file being saved into a folder of the user's: it is written under
// "<name>.quorvane-<pid>.part" and gets its own name only when complete, so a file under
// its real name is always whole. Until Commit, the partial file is removed when the
// object goes, whatever ended the transfer; one that a killed run left is known by its
// name (RemoveLeftPartialFiles). Never replaces a file that is there: the name taken is
// the first of name, "name (1).ext", ... that is free with its partial file.
class PartialFile {
  public:
    // The partial file's name for a file to be called name, written by this process.
    static std::string PartialName(const std::string& name);

    // Creates the empty partial file exclusively. Throws std::system_error when the
    // folder cannot be written. A caller that has already taken name and its first
    // numbers names the number to look from.
    PartialFile(const std::filesystem::path& folder, const std::string& name, int firstNumber = 0);
    ~PartialFile();
    PartialFile(PartialFile&& other) noexcept;
    PartialFile& operator=(PartialFile&&) = delete;
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // Where the bytes go until Commit.
    const std::filesystem::path& Path() const { return partial_; }
    // The name the file will get; another one when that is taken by the time of Commit.
    const std::filesystem::path& FinalPath() const { return final_; }

    // The file is to get name rather than the one it was made for (the first free of name,
    // "name (1).ext", ...); the partial file keeps its own.
    void Rename(const std::string& name);

    // Gives the complete file its name, the next free one when a file of that name
    // appeared meanwhile, and returns where it now is. Throws std::system_error when it
    // cannot be renamed (the partial file is then removed with the object).
    std::filesystem::path Commit();

  private:
    // The first of name, "name (1).ext", ... that is free with its partial file.
    std::filesystem::path FreePath() const;

    std::filesystem::path folder_;
    std::string name_;
    int firstNumber_ = 0;
    std::filesystem::path partial_;
    std::filesystem::path final_;
    bool committed_ = false;
};

// The process that writes the partial file (or the engine's file beside it) called
// fileName, or 0 when fileName is no partial file's name.
pid_t PartialFileWriter(std::string_view fileName);

// Removes from folder the partial files, and the engine's files beside them, that runs
// of the program left when they were killed: those whose writer is gone. Every other
// file stays, a ".part" file of another program's among them. Each save and download
// does this in its folder before it begins.
void RemoveLeftPartialFiles(const std::filesystem::path& folder);

}  // namespace quorvane

#pragma once

#include <filesystem>
#include <string>

namespace quorvane {

// A file being saved into a folder of the user's: it is written under "<name>.part" and
// gets its own name only when complete, so a file under its real name is always whole.
// Until Commit, the partial file is removed when the object goes, whatever ended the
// transfer. Never replaces a file that is there: the name taken is the first of name,
// "name (1).ext", ... that is free with its partial file.
class PartialFile {
  public:
    static constexpr const char* kSuffix = ".part";

    // Creates the empty partial file exclusively. Throws std::system_error when the
    // folder cannot be written.
    PartialFile(const std::filesystem::path& folder, const std::string& name);
    ~PartialFile();
    PartialFile(PartialFile&& other) noexcept;
    PartialFile& operator=(PartialFile&&) = delete;
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // Where the bytes go until Commit.
    const std::filesystem::path& Path() const { return partial_; }
    // The name the file will get; another one when that is taken by the time of Commit.
    const std::filesystem::path& FinalPath() const { return final_; }

    // Gives the complete file its name, the next free one when a file of that name
    // appeared meanwhile, and returns where it now is. Throws std::system_error when it
    // cannot be renamed (the partial file is then removed with the object).
    std::filesystem::path Commit();

  private:
    // The first of name, "name (1).ext", ... that is free with its partial file.
    std::filesystem::path FreePath() const;

    std::filesystem::path folder_;
    std::string name_;
    std::filesystem::path partial_;
    std::filesystem::path final_;
    bool committed_ = false;
};

}  // namespace quorvane

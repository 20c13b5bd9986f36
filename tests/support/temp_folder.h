#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace quorvane {

// A fresh folder of one test's own, removed with everything in it when the test ends.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder without a trailing separator, as the program folder is given.
    const std::string& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const {
        return std::filesystem::path(path_) / name;
    }

    // name begins with the separator, as the work file names do ("/source.htm").
    std::string File(const std::string& name) const { return path_ + name; }
    std::string Read(const std::string& name) const {
        std::ifstream file(path_ + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ + name, std::ios::binary) << bytes;
    }

  private:
    std::string path_;
};

}  // namespace quorvane

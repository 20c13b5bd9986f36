#pragma once

#include <cerrno>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "analysis/work_file_writer.h"

namespace quorvane {

// Work files in memory instead of a folder: what each one holds by name ("/source.htm"),
// the names whose writes fail as on a full disk, and what was written and read, in order.
class MemoryWorkFiles : public WorkFileWriter {
  public:
    static constexpr std::string_view kFolder = "/memory";
    MemoryWorkFiles() : WorkFileWriter(std::string(kFolder)) {}

    std::map<std::string, std::string> files;
    std::set<std::string> failingWrites;
    std::vector<std::string> written;
    std::vector<std::string> read;

  protected:
    void WriteFile(const std::string& path, const TextProducer& produce) override {
        const std::string name = path.substr(kFolder.size());
        if (failingWrites.contains(name)) {
            throw std::system_error(ENOSPC, std::generic_category(), "cannot write " + path);
        }
        std::string text;
        produce([&](std::string_view piece) { text += piece; });
        written.push_back(name);
        files[name] = text + "\r\n";
    }
    std::string ReadFile(const std::string& path) override {
        const std::string name = path.substr(kFolder.size());
        read.push_back(name);
        const auto file = files.find(name);
        if (file == files.end()) {
            throw std::system_error(ENOENT, std::generic_category(), "cannot open " + path);
        }
        return file->second;
    }
};

}  // namespace quorvane

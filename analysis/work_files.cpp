#include "analysis/work_files.h"

#include <filesystem>
#include <system_error>

#include "analysis/text_file.h"
#include "analysis/work_file_writer.h"
#include "base/whole_file_write.h"

namespace quorvane {

std::string WorkFilePath(const std::string& programFolder, std::string_view name) {
    return programFolder + std::string(name);
}

void EnsureWorkFiles(const std::string& programFolder) {
    // Each run starts here, owning the folder: what killed runs left half-written goes.
    RemoveLeftoverWrites(programFolder);
    for (const std::string_view name : {kBrowserFile, kSourceFile, kImagesFile, kCheckImagesFile,
                                        kCheckImagesCleanFile, kImagePageFile}) {
        const std::string path = WorkFilePath(programFolder, name);
        // Created whole, like every write: a full disk leaves no empty file behind.
        std::error_code unknown;  // counts as missing: the write then says what is wrong
        if (!std::filesystem::is_regular_file(path, unknown)) {
            WriteTextFile(path, "");
        }
    }
}

void ResetWorkFiles(WorkFileWriter& files) {
    for (const std::string_view name :
         {kCheckImagesFile, kCheckImagesCleanFile, kBrowserFile, kImagesFile}) {
        files.Write(name, "");
    }
}

}  // namespace quorvane

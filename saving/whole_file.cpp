#include "saving/whole_file.h"

#include "base/file_bytes_write.h"
#include "saving/partial_file.h"

namespace quorvane {

std::filesystem::path SaveWholeFile(const std::filesystem::path& folder, const std::string& name,
                                    std::string_view bytes) {
    PartialFile file(folder, name);
    WriteFileBytes(file.Path(), bytes);
    return file.Commit();
}

std::filesystem::path SaveWholeFileInPieces(
    const std::filesystem::path& folder, const std::string& name,
    const std::function<void(const BytePieceWriter&)>& make) {
    PartialFile file(folder, name);
    FileBytesWriter writer(file.Path());
    make([&writer](std::string_view piece) { writer.Append(piece); });
    writer.Close();
    return file.Commit();
}

}  // namespace quorvane

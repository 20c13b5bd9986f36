#include "saving/list_export.h"

#include <system_error>

#include "desktop/translation.h"
#include "desktop/user_folders.h"
#include "saving/served_source_file_name.h"
#include "saving/saved_file_name.h"
#include "saving/transfer_messages.h"

namespace quorvane {

std::string ListExportFileName(const std::string& pageAddress, const std::string& ending,
                               const std::string& fallback) {
    std::string page = ServedSourceFileName(pageAddress, "text/html");
    const std::size_t dot = page.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        page.erase(dot);
    }
    return SafeFileName(page + ending, fallback);
}

std::string SaveListExport(const std::filesystem::path& file, const std::string& text) {
    return SaveListExport(file, [&text](const BytePieceWriter& write) { write(text); });
}

std::string SaveListExport(const std::filesystem::path& file,
                           const std::function<void(const BytePieceWriter&)>& make) {
    try {
        const std::filesystem::path saved =
            SaveWholeFileInPieces(file.parent_path(), file.filename().string(), make);
        return SavedFileMessage(saved, UserHomeFolder());
    } catch (const std::system_error& error) {
        return Translated("Could not save {1}: {2}",
                          {file.filename().string(), error.code().message()});
    }
}

}  // namespace quorvane

#include "saving/whole_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "saving/partial_file.h"

namespace quorvane {

std::filesystem::path SaveWholeFile(const std::filesystem::path& folder, const std::string& name,
                                    std::string_view bytes) {
    PartialFile file(folder, name);
    std::ofstream out(file.Path(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::system_error(errno != 0 ? errno : EIO, std::generic_category(),
                                "cannot write " + file.Path().string());
    }
    return file.Commit();
}

}  // namespace quorvane

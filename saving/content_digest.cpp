#include "saving/content_digest.h"

#include <glib.h>

#include <array>
#include <fstream>
#include <memory>

namespace quorvane {
namespace {

struct ChecksumFree {
    void operator()(GChecksum* checksum) const { g_checksum_free(checksum); }
};
using Checksum = std::unique_ptr<GChecksum, ChecksumFree>;

Checksum NewChecksum() {
    return Checksum(g_checksum_new(G_CHECKSUM_SHA256));
}

void Add(GChecksum* checksum, const char* bytes, std::size_t size) {
    g_checksum_update(checksum, reinterpret_cast<const guchar*>(bytes), static_cast<gssize>(size));
}

}  // namespace

std::string BytesDigest(std::string_view bytes) {
    const Checksum checksum = NewChecksum();
    Add(checksum.get(), bytes.data(), bytes.size());
    return g_checksum_get_string(checksum.get());
}

std::optional<std::string> FileDigest(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const Checksum checksum = NewChecksum();
    std::array<char, 64 * 1024> piece{};
    while (in.read(piece.data(), piece.size()) || in.gcount() > 0) {
        Add(checksum.get(), piece.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return g_checksum_get_string(checksum.get());
}

}  // namespace quorvane

#include "desktop/registry_key_file.h"

#include <glib.h>

#include <memory>
#include <optional>

namespace quorvane {

namespace {

using KeyFile = std::unique_ptr<GKeyFile, decltype(&g_key_file_free)>;
using GlibText = std::unique_ptr<gchar, decltype(&g_free)>;
using GlibTexts = std::unique_ptr<gchar*, decltype(&g_strfreev)>;

constexpr char kFormatKey[] = "Format";
// What URI escaping may leave as it is in a group or key name of a key file, beyond
// letters, digits and "-._~".
constexpr char kKeptInNames[] = "!\"$&'()*+,/:;<>?\\^`{|}";

std::string EscapedName(const std::string& name) {
    if (name.empty()) {
        return "@";
    }
    const GlibText escaped(g_uri_escape_string(name.c_str(), kKeptInNames, TRUE), &g_free);
    return escaped.get();
}

std::optional<std::string> NameOf(const char* escaped) {
    if (std::string_view(escaped) == "@") {
        return std::string();
    }
    const GlibText name(g_uri_unescape_string(escaped, nullptr), &g_free);
    return name ? std::optional<std::string>(name.get()) : std::nullopt;
}

// The key of one group, with every value whose name and text decode.
RegistryKey KeyOf(GKeyFile* file, const char* group, std::string path) {
    RegistryKey key{std::move(path), {}};
    const GlibTexts names(g_key_file_get_keys(file, group, nullptr, nullptr), &g_strfreev);
    for (gchar** name = names.get(); name != nullptr && *name != nullptr; ++name) {
        const std::optional<std::string> valueName = NameOf(*name);
        const GlibText text(g_key_file_get_string(file, group, *name, nullptr), &g_free);
        if (valueName && text) {
            key.values.emplace_back(*valueName, text.get());
        }
    }
    return key;
}

}  // namespace

bool KeyFileCanHold(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

std::optional<RegistryKeys> ParseRegistryKeyFile(const std::string& text) {
    const KeyFile file(g_key_file_new(), &g_key_file_free);
    if (!g_key_file_load_from_data(file.get(), text.data(), text.size(), G_KEY_FILE_NONE,
                                   nullptr) ||
        !g_key_file_has_group(file.get(), kRegistryKeyFileHeader)) {
        return std::nullopt;
    }
    RegistryKeys keys;
    const GlibTexts groups(g_key_file_get_groups(file.get(), nullptr), &g_strfreev);
    for (gchar** group = groups.get(); *group != nullptr; ++group) {
        const std::optional<std::string> path = NameOf(*group);
        if (path && std::string_view(*group) != kRegistryKeyFileHeader) {
            keys.push_back(KeyOf(file.get(), *group, *path));
        }
    }
    return keys;
}

// The header group comes first: it tells this format from the earlier one, and a key
// file's first group may not hold a key named "Encoding" with any value but "UTF-8".
std::string FormatRegistryKeyFile(const RegistryKeys& keys) {
    const KeyFile file(g_key_file_new(), &g_key_file_free);
    g_key_file_set_integer(file.get(), kRegistryKeyFileHeader, kFormatKey, 1);
    for (const RegistryKey& key : keys) {
        const std::string group = EscapedName(key.path);
        // A key without values is a group without keys, which a key file only makes
        // for a key that is set and removed again.
        g_key_file_set_value(file.get(), group.c_str(), kFormatKey, "");
        g_key_file_remove_key(file.get(), group.c_str(), kFormatKey, nullptr);
        for (const auto& [name, text] : key.values) {
            g_key_file_set_string(file.get(), group.c_str(), EscapedName(name).c_str(),
                                  text.c_str());
        }
    }
    gsize size = 0;
    const GlibText text(g_key_file_to_data(file.get(), &size, nullptr), &g_free);
    return std::string(text.get(), size);
}

}  // namespace quorvane

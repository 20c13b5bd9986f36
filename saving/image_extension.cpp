#include "saving/image_extension.h"

#include "base/ascii.h"

namespace quorvane {
namespace {

// Each type's extensions, the one it is saved with first. Aliases of a type name it too.
struct TypeExtensions {
    std::string_view type;
    std::string_view extensions[4];
};

constexpr TypeExtensions kTypes[] = {
    {"image/png", {".png", ".apng"}},
    {"image/jpeg", {".jpg", ".jpeg", ".jpe", ".jfif"}},
    {"image/gif", {".gif"}},
    {"image/svg+xml", {".svg"}},
    {"image/webp", {".webp"}},
    {"image/avif", {".avif"}},
    {"image/bmp", {".bmp", ".dib"}},
    {"image/x-icon", {".ico", ".cur"}},
    {"image/vnd.microsoft.icon", {".ico", ".cur"}},
    {"image/tiff", {".tif", ".tiff"}},
    {"image/jxl", {".jxl"}},
};

const TypeExtensions* Known(std::string_view mediaType) {
    for (const TypeExtensions& known : kTypes) {
        if (EqualsNoCase(mediaType, known.type)) {
            return &known;
        }
    }
    return nullptr;
}

bool IsOneOf(std::string_view extension, const TypeExtensions& type) {
    for (const std::string_view one : type.extensions) {
        if (!one.empty() && EqualsNoCase(extension, one)) {
            return true;
        }
    }
    return false;
}

bool IsPictureExtension(std::string_view extension) {
    for (const TypeExtensions& type : kTypes) {
        if (IsOneOf(extension, type)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ImageTypeExtension(std::string_view mediaType) {
    const TypeExtensions* known = Known(mediaType);
    return known != nullptr ? std::string(known->extensions[0]) : std::string();
}

// A leading dot is no extension: the name is a hidden file's, which a saved name never is.
std::string NameForImageBytes(std::string_view name, std::string_view bytesType) {
    const TypeExtensions* type = Known(bytesType);
    if (type == nullptr) {
        return std::string(name);
    }
    const std::size_t dot = name.rfind('.');
    const std::string_view extension =
        dot == std::string_view::npos || dot == 0 ? std::string_view() : name.substr(dot);
    if (IsOneOf(extension, *type)) {
        return std::string(name);
    }
    const std::string_view stem = IsPictureExtension(extension) ? name.substr(0, dot) : name;
    return std::string(stem) + std::string(type->extensions[0]);
}

}  // namespace quorvane

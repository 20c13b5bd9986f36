#include "image_list/image_finding.h"

#include <array>

namespace quorvane {
namespace {

struct KindName {
    ImageKind kind;
    std::string_view name;
};

constexpr std::array kKindNames{
    KindName{ImageKind::Img, "img"},
    KindName{ImageKind::Srcset, "srcset"},
    KindName{ImageKind::Picture, "picture"},
    KindName{ImageKind::Css, "css"},
    KindName{ImageKind::Lazy, "lazy"},
    KindName{ImageKind::InlineSvg, "svg"},
    KindName{ImageKind::SvgReference, "svg-reference"},
    KindName{ImageKind::Poster, "poster"},
    KindName{ImageKind::InputImage, "input"},
    KindName{ImageKind::Icon, "icon"},
    KindName{ImageKind::OpenGraph, "og:image"},
    KindName{ImageKind::Embedded, "object"},
    KindName{ImageKind::Link, "link"},
};

}  // namespace

ImageKinds KindByName(std::string_view name) {
    for (const KindName& known : kKindNames) {
        if (known.name == name) {
            return KindBit(known.kind);
        }
    }
    return 0;
}

std::string KindNames(ImageKinds kinds) {
    std::string names;
    for (const KindName& known : kKindNames) {
        if ((kinds & KindBit(known.kind)) != 0) {
            names += names.empty() ? "" : ", ";
            names += known.name;
        }
    }
    return names;
}

}  // namespace quorvane

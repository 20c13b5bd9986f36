#include "image_list/images_in_text.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/ascii.h"
#include "engine/resolved_address.h"
#include "inspection/character_references.h"
#include "inspection/markup_tokens.h"
#include "inspection/srcset_candidates.h"

namespace quorvane {
namespace {

bool EndsWithImageExtension(std::string_view value) {
    value = value.substr(0, value.find_first_of("?#"));
    const std::size_t dot = value.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string_view extension = value.substr(dot + 1);
    for (const std::string_view known :
         {"png", "jpg", "jpeg", "gif", "webp", "avif", "svg", "bmp", "ico", "tif", "tiff", "jxl"}) {
        if (EqualsNoCase(extension, known)) {
            return true;
        }
    }
    return false;
}

// "a.png 1x, b.png 2x": a candidate with a width or density descriptor.
bool LooksLikeSrcset(std::string_view value) {
    for (std::size_t at = value.find(' '); at != std::string_view::npos;
         at = value.find(' ', at + 1)) {
        std::size_t end = at + 1;
        while (end < value.size() &&
               ((value[end] >= '0' && value[end] <= '9') || value[end] == '.')) {
            ++end;
        }
        if (end > at + 1 && end < value.size() && (value[end] == 'w' || value[end] == 'x')) {
            return true;
        }
    }
    return false;
}

// How an attribute of an img tag (img), a source tag (source) or any other tag names images:
// a srcset, or the data- attribute a lazy loader fills the address in from; none when it
// names none.
std::optional<ImageKind> NamingKind(bool img, bool source, std::string_view attribute) {
    if ((img || source) && EqualsNoCase(attribute, "srcset")) {
        return img ? ImageKind::Srcset : ImageKind::Picture;
    }
    if (attribute.size() > 5 && EqualsNoCase(attribute.substr(0, 5), "data-")) {
        return ImageKind::Lazy;
    }
    return std::nullopt;
}

// An attribute's value as the page means it: its character references decoded, without
// the blanks around it.
std::string ValueOf(std::string_view text, const MarkupAttribute& attribute) {
    return std::string(TrimmedMarkupSpaces(DecodeCharacterReferences(
        text.substr(attribute.valueBegin, attribute.valueEnd - attribute.valueBegin))));
}

// What the page's addresses are read against: its first <base href>, else its own address.
// The base counts for the addresses before it too.
std::string BaseAddress(std::string_view text, const std::string& pageAddress) {
    std::optional<std::string> base;
    ForEachToken(text, [&](const MarkupToken& token) {
        if (base || token.kind != TokenKind::StartTag || !EqualsNoCase(token.name, "base")) {
            return;
        }
        ForEachAttribute(text, token, [&](const MarkupAttribute& attribute) {
            if (!base && EqualsNoCase(attribute.name, "href")) {
                base = ResolvedAddress(pageAddress, ValueOf(text, attribute)).value_or(pageAddress);
            }
        });
    });
    return base.value_or(pageAddress);
}

std::string_view WithoutFragment(std::string_view address) {
    return address.substr(0, address.find('#'));
}

// The findings of one text, in the order its tags name them.
class TextImageFinder {
  public:
    TextImageFinder(std::string_view text, const std::string& pageAddress, std::size_t maxFindings)
        : text_(text),
          pageAddress_(pageAddress),
          base_(BaseAddress(text, pageAddress)),
          maxFindings_(maxFindings) {}

    bool Full() const { return found_.size() >= maxFindings_; }
    std::vector<ImageFinding> Found() && { return std::move(found_); }

    void Read(const MarkupToken& token) {
        const bool img = EqualsNoCase(token.name, "img");
        const bool source = EqualsNoCase(token.name, "source");
        const bool link = EqualsNoCase(token.name, "a") || EqualsNoCase(token.name, "area");
        ForEachAttribute(text_, token, [&](const MarkupAttribute& attribute) {
            if ((img && EqualsNoCase(attribute.name, "src")) ||
                (link && EqualsNoCase(attribute.name, "href"))) {
                ReadAddress(ValueOf(text_, attribute), img);
            } else if (const std::optional<ImageKind> kind =
                           NamingKind(img, source, attribute.name)) {
                ReadNames(ValueOf(text_, attribute), *kind);
            }
        });
    }

  private:
    std::string Resolved(const std::string& value) const {
        return ResolvedAddress(base_, value).value_or(value);
    }

    void Add(const std::string& value, ImageKind kind, std::string descriptor = {},
             const std::string& group = {}) {
        if (Full()) {
            return;
        }
        ImageFinding finding;
        finding.address = Resolved(value);
        finding.kind = KindBit(kind);
        finding.descriptor = std::move(descriptor);
        finding.group = group;
        found_.push_back(std::move(finding));
    }

    // An <img>'s src, or a link's href to a picture; never the page itself.
    void ReadAddress(const std::string& value, bool img) {
        const std::string address = Resolved(value);
        if (value.empty() || WithoutFragment(address) == WithoutFragment(pageAddress_)) {
            return;
        }
        if (img) {
            Add(value, ImageKind::Img);
        } else if (EndsWithImageExtension(address) || value.starts_with("data:image/")) {
            Add(value, ImageKind::Link);
        }
    }

    // A srcset's candidates, or a lazy loader's attribute that holds one address.
    void ReadNames(const std::string& value, ImageKind kind) {
        if (value.empty()) {
            return;
        }
        if (kind != ImageKind::Lazy || LooksLikeSrcset(value)) {
            const std::string group = "t" + std::to_string(++groups_);
            for (SrcsetCandidate& candidate : SrcsetCandidates(value)) {
                if (candidate.imageSource) {
                    Add(std::string(candidate.Url(value)), kind, std::move(candidate.descriptors),
                        group);
                }
            }
        } else if (EndsWithImageExtension(value) || value.starts_with("data:image/")) {
            Add(value, kind);
        }
    }

    std::string_view text_;
    const std::string& pageAddress_;
    std::string base_;
    std::size_t maxFindings_;
    std::vector<ImageFinding> found_;
    unsigned groups_ = 0;
};

}  // namespace

std::vector<ImageFinding> ImagesNamedInText(std::string_view text, const std::string& pageAddress,
                                            std::size_t maxFindings) {
    TextImageFinder finder(text, pageAddress, maxFindings);
    ForEachToken(text, [&](const MarkupToken& token) {
        if (token.kind == TokenKind::StartTag && !finder.Full()) {
            finder.Read(token);
        }
    });
    return std::move(finder).Found();
}

}  // namespace quorvane

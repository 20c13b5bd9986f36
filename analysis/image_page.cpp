#include "analysis/image_page.h"

#include "analysis/html_escape.h"
#include "base/address_scheme.h"
#include "base/text_search.h"

namespace quorvane {

namespace {

// Addresses found without a scheme get one for the link and the picture. A web address,
// a data: picture and a local page's file: address keep their own scheme: a second one
// would break them. (The scanners let a file: address stand only on a local page.) Any
// other scheme is taken for text, so no javascript: link can come alive here.
bool GetsScheme(const std::string& raw) {
    return !StandsAsWritten(raw, true);
}

// The caption shows the address as it was found; the link and the picture load
// ImagePageAddress, escaped once into url (a buffer kept from entry to entry). The entry
// goes straight onto the page, which a page of thousands of images fills without a
// string per entry.
void AppendImageEntry(std::string& page, const std::string& raw, std::string& url) {
    url.assign(GetsScheme(raw) ? kHttpScheme : std::string_view());
    AppendInsertedAttribute(url, raw);
    page.append("<a href='").append(url).append("'><img src='").append(url);
    page.append("'></a><BR>");
    AppendInsertedText(page, raw);
    page.append("<BR><BR><BR>");
}

}  // namespace

std::string ImagePageAddress(const std::string& raw) {
    return GetsScheme(raw) ? std::string(kHttpScheme) + raw : raw;
}

// The references the engine writes into attribute values when it gives a page's markup.
std::string ImageShownAddress(const std::string& raw) {
    std::string text = ReplaceAllExact(ImagePageAddress(raw), "&quot;", "\"");
    text = ReplaceAllExact(text, "&lt;", "<");
    text = ReplaceAllExact(text, "&gt;", ">");
    text = ReplaceAllExact(text, "&nbsp;", "\xC2\xA0");
    return ReplaceAllExact(text, "&amp;", "&");
}

// Each entry is made in the piece before it is known to fit: one that would take the page
// past maxSize is taken back, and the page ends there.
std::size_t WriteImagePage(const std::vector<std::string>& links, const PieceWriter& write,
                           std::size_t maxSize) {
    PieceCollector page(write);
    std::string url;
    std::size_t shown = 0;
    for (const std::string& raw : links) {
        const std::size_t before = page.Text().size();
        AppendImageEntry(page.Text(), raw, url);
        if (page.HandedOut() + page.Text().size() > maxSize) {
            page.Text().resize(before);
            break;
        }
        ++shown;
        page.HandOutIfFull();
    }
    page.Finish();
    return shown;
}

ImagePage ImagePageText(const std::vector<std::string>& links, std::size_t maxSize) {
    ImagePage page;
    page.imagesShown = WriteImagePage(
        links, [&](std::string_view piece) { page.text += piece; }, maxSize);
    return page;
}

}  // namespace quorvane

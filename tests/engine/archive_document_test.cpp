#include "engine/archive_document.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace quorvane {
namespace {

const std::string kArchive =
    "From: <Saved by WebKit>\r\nMIME-Version: 1.0\r\n"
    "Content-Type: multipart/related; type=\"text/html\"; boundary=\"B\"\r\n\r\n"
    "--B\r\nContent-Type: text/html\r\nContent-Transfer-Encoding: quoted-printable\r\n"
    "Content-Location: http://host.example/page.html\r\n\r\n"
    "<img src=3D\"a.png\"><img src=3D\"cid:logo\">\r\n"
    "--B\r\nContent-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n"
    "Content-Location: http://host.example/a.png\r\n\r\niVBORw0KGgo=\r\n"
    "--B--\r\n";

TEST(ArchiveDocument, ShowsTheArchivesDocumentAtTheAddressItWasSavedFrom) {
    const struct {
        const char* name;
        ServedResource resource;
        ServedResource shown;
    } rows[] = {
        {"an archive",
         {"file:///home/user/page.mhtml", kArchive, "application/x-mimearchive", ""},
         {"http://host.example/page.html", "<img src=\"a.png\"><img src=\"cid:logo\">", "text/html",
          ""}},
        {"a page of the web",
         {"http://host.example/", "<p>x</p>", "text/html", "utf-8"},
         {"http://host.example/", "<p>x</p>", "text/html", "utf-8"}},
        {"an archive that holds no part",
         {"file:///home/user/page.mht", "nothing", "multipart/related", ""},
         {"file:///home/user/page.mht", "nothing", "multipart/related", ""}},
    };
    for (const auto& row : rows) {
        const ServedResource shown = ShownDocument(row.resource);
        EXPECT_EQ(
            std::tie(shown.address, shown.bytes, shown.mimeType, shown.charset),
            std::tie(row.shown.address, row.shown.bytes, row.shown.mimeType, row.shown.charset))
            << row.name;
    }
}

}  // namespace
}  // namespace quorvane

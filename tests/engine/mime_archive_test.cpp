#include "engine/mime_archive.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

// The first bytes of a GIF, base64 as RFC 2557's examples carry their logo.
constexpr const char* kGifBase64 = "R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7";
const std::string kGif = std::string(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF!\xF9\x04\x01\x00\x00"
    "\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x01\x44\x00;",
    42);

std::string Joined(const MimeArchive& archive) {
    std::string text;
    for (const ArchivePart& part : archive.parts) {
        text += part.mimeType + " " + part.location + " <" + part.contentId + "> " + part.charset +
                "\n";
    }
    return text;
}

// After RFC 2557's examples 9.1 to 9.3, and as the engine writes a page (quoted-printable
// text with CRLF line ends and soft breaks, a charset the part does not say).
TEST(MimeArchive, ReadsEachPartWithItsAddressTypeAndBytes) {
    const struct {
        const char* name;
        std::string archive;
        std::string parts;  // as Joined lists them
        std::size_t root;
        std::string rootBytes;
    } rows[] = {
        {"absolute locations, a folded header, a type in capitals",
         "From: foo1@bar.net\nSubject: A simple example\nMime-Version: 1.0\n"
         "Content-Type: multipart/related; boundary=\"boundary-example\";\n"
         "              type=\"text/html\"\n\n"
         "--boundary-example\nContent-Type: text/html; charset=\"US-ASCII\"\n\n"
         "<IMG SRC=\"http://www.ietf.cnri.reston.va.us/images/ietflogo.gif\">\n"
         "--boundary-example\nContent-Location:\n"
         "   http://www.ietf.cnri.reston.va.us/images/ietflogo.gif\n"
         "Content-Type: IMAGE/GIF\nContent-Transfer-Encoding: BASE64\n\n" +
             std::string(kGifBase64) + "\n--boundary-example--\n",
         "text/html  <> US-ASCII\n"
         "image/gif http://www.ietf.cnri.reston.va.us/images/ietflogo.gif <> \n",
         0, "<IMG SRC=\"http://www.ietf.cnri.reston.va.us/images/ietflogo.gif\">"},
        {"the root named by start, parts known by Content-ID",
         "Mime-Version: 1.0\nContent-Type: multipart/related; boundary=\"b\";\n"
         "    type=\"text/html\"; start=\"<foo3@foo1@bar.net>\"\n\n"
         "--b\nContent-Type: image/gif\nContent-ID: <foo4@foo1@bar.net>\n"
         "Content-Transfer-Encoding: base64\n\n" +
             std::string(kGifBase64) +
             "\n--b\nContent-Type: text/html;charset=\"US-ASCII\"\n"
             "Content-ID: <foo3@foo1@bar.net>\n\n<IMG SRC=\"cid:foo4@foo1@bar.net\">\n--b--\n",
         "image/gif  <foo4@foo1@bar.net> \ntext/html  <foo3@foo1@bar.net> US-ASCII\n", 1,
         "<IMG SRC=\"cid:foo4@foo1@bar.net\">"},
        {"relative locations read against the multipart's Content-Location",
         "Mime-Version: 1.0\nContent-Location: http://www.ietf.cnri.reston.va.us/\n"
         "Content-Type: multipart/related; boundary=\"b\"; type=Text/HTML\n\n"
         "--b\nContent-Type: Text/HTML; charset=US-ASCII\nContent-Location: index.html\n\n"
         "<IMG SRC=\"images/ietflogo.gif\">\n"
         "--b\nContent-Location: images/ietflogo.gif\nContent-Type: image/gif\n"
         "Content-Transfer-Encoding: base64\n\n" +
             std::string(kGifBase64) + "\n--b--\n",
         "text/html http://www.ietf.cnri.reston.va.us/index.html <> US-ASCII\n"
         "image/gif http://www.ietf.cnri.reston.va.us/images/ietflogo.gif <> \n",
         0, "<IMG SRC=\"images/ietflogo.gif\">"},
        {"the engine's own: quoted-printable, CRLF, a multipart inside",
         "From: <Saved by WebKit>\r\nSubject: Pictures\r\nMIME-Version: 1.0\r\n"
         "Content-Type: multipart/related;\r\n\ttype=\"text/html\";\r\n"
         "\tboundary=\"----=_NextPart_000_A499\"\r\n\r\n"
         "------=_NextPart_000_A499\r\nContent-Type: text/html\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n"
         "Content-Location: http://127.0.0.1:8765/index.html\r\n\r\n"
         "<meta charset=3D\"windows-1252\"><p>caf=E9</p><img src=3D\"http://127.0.0.1:8765/=\r\n"
         "a.gif\">\r\n"
         "------=_NextPart_000_A499\r\nContent-Type: multipart/alternative; boundary=\"in\"\r\n\r\n"
         "--in\r\nContent-Type: image/gif\r\nContent-Transfer-Encoding: base64\r\n"
         "Content-Location: http://127.0.0.1:8765/a.gif\r\n\r\n" +
             std::string(kGifBase64) + "\r\n--in--\r\n------=_NextPart_000_A499--\r\n",
         "text/html http://127.0.0.1:8765/index.html <> \n"
         "image/gif http://127.0.0.1:8765/a.gif <> \n",
         0,
         "<meta charset=\"windows-1252\"><p>caf\xE9</p><img "
         "src=\"http://127.0.0.1:8765/a.gif\">"},
    };
    for (const auto& row : rows) {
        const std::optional<MimeArchive> archive = ReadMimeArchive(row.archive);
        ASSERT_TRUE(archive) << row.name;
        EXPECT_EQ(Joined(*archive), row.parts) << row.name;
        ASSERT_EQ(archive->root, row.root) << row.name;
        // The body ends before the line break that leads to the boundary (RFC 2046 5.1.1).
        EXPECT_EQ(archive->parts[row.root].bytes, row.rootBytes) << row.name;
        for (const ArchivePart& part : archive->parts) {
            if (part.mimeType == "image/gif") {
                EXPECT_EQ(part.bytes, kGif) << row.name;
            }
        }
    }
}

TEST(MimeArchive, KnowsThePageSavedWholeByItsType) {
    for (const char* type : {"multipart/related", "application/x-mimearchive", "Multipart/Related",
                             "message/rfc822"}) {
        EXPECT_TRUE(IsArchiveType(type)) << type;
    }
    for (const char* type : {"text/html", "multipart/mixed", "", "application/octet-stream"}) {
        EXPECT_FALSE(IsArchiveType(type)) << type;
    }
}

TEST(MimeArchive, AnArchiveOfNoPartIsNone) {
    for (const std::string& bytes : {
             std::string(),
             std::string("<html><body>no archive</body></html>\n"),
             std::string("Content-Type: multipart/related; boundary=\"never\"\n\nno part here\n"),
             std::string("Content-Type: multipart/related; boundary=\"b\"\n\n--b--\n"),
         }) {
        EXPECT_FALSE(ReadMimeArchive(bytes)) << bytes;
    }
}

// A hostile archive may hold any number of parts, and multiparts inside multiparts without
// end: what is read of it is bounded.
TEST(MimeArchive, ReadsABoundedNumberOfPartsAndDepth) {
    std::string many = "Content-Type: multipart/related; boundary=\"b\"\n\n";
    for (std::size_t i = 0; i < kMaxArchiveParts + 10; ++i) {
        many += "--b\nContent-Type: text/plain\n\nx\n";
    }
    many += "--b--\n";
    const std::optional<MimeArchive> wide = ReadMimeArchive(many);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->parts.size(), kMaxArchiveParts);

    std::string deep;
    for (int i = 0; i < 1000; ++i) {
        deep += "Content-Type: multipart/related; boundary=\"b" + std::to_string(i) + "\"\n\n--b" +
                std::to_string(i) + "\nContent-Location: http://x.example/" + std::to_string(i) +
                "\nContent-Type: image/gif\n\nx\n--b" + std::to_string(i) + "\n";
    }
    deep += "Content-Type: text/html\n\ninnermost\n";
    const std::optional<MimeArchive> nested = ReadMimeArchive(deep);
    ASSERT_TRUE(nested);
    ASSERT_EQ(nested->parts.size(), static_cast<std::size_t>(kMaxArchiveDepth));
    EXPECT_EQ(nested->parts.back().location,
              "http://x.example/" + std::to_string(kMaxArchiveDepth - 1));
}

}  // namespace
}  // namespace quorvane

// The image gatherer on the real engine: every kind of image a page names, in every
// frame, hidden from the page's own scripts, and a page built to hurt kept in bounds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <chrono>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "desktop/program_folder.h"
#include "engine/gui/webview_browser_element.h"
#include "image_list/image_list_table.h"
#include "image_list/image_report.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/http_test_server.h"
#include "tests/e2e/test_bitmap.h"

namespace quorvane::test {
namespace {

class Events : public BrowserEvents {
  public:
    int loads = 0;
    std::string title;
    void StatusTextChange(int, const std::string&) override {}
    void ProgressChange(int, std::int32_t, std::int32_t) override {}
    void LoadFinished(int) override { ++loads; }
    void TitleChange(int, const std::string& text) override { title = text; }
    void NewWindowRequested(int, const std::string&, bool) override {}
};

class ImageGathererTest : public ::testing::Test {
  protected:
    ImageGathererTest()
        : frame_(new wxFrame(nullptr, wxID_ANY, "gatherer", wxDefaultPosition, wxSize(800, 600))),
          element_(std::make_unique<WebViewBrowserElement>(
              frame_, 0, WebViewBrowserElement::Kind::Browser, events_,
              ProgramFolder() + "/home.html")) {
        element_->WatchImages(
            [this](std::string report) {
                ++reports_;
                std::optional<ImageReport> read = ParseImageReport(report);
                ASSERT_TRUE(read) << report.substr(0, 200);
                table_.Accept(std::move(*read));
            },
            [this] { table_.Clear(); });
        frame_->Show();
    }
    ~ImageGathererTest() override {
        element_.reset();
        EXPECT_TRUE(DestroyAndWait(frame_));
    }

    const ImageRow* Row(const std::string& address) const {
        for (const ImageRow& row : table_.List().Rows()) {
            if (row.address == address) {
                return &row;
            }
        }
        return nullptr;
    }

    Events events_;
    wxFrame* frame_;
    std::unique_ptr<WebViewBrowserElement> element_;
    ImageListTable table_;
    int reports_ = 0;
};

TEST_F(ImageGathererTest, FindsEveryKindInEveryFrameUnseenByThePage) {
    HttpTestServer site;
    HttpTestServer other;
    const struct {
        const char* path;
        ImageKind kind;
        std::uint32_t width, height;
    } images[] = {
        {"/plain.bmp", ImageKind::Img, 11, 7},
        {"/1x.bmp", ImageKind::Img, 12, 7},
        {"/2x.bmp", ImageKind::Srcset, 24, 14},
        {"/pic.bmp", ImageKind::Picture, 13, 7},
        {"/bg.bmp", ImageKind::Css, 14, 7},
        {"/bg2.bmp", ImageKind::Css, 15, 7},
        {"/before.bmp", ImageKind::Css, 16, 7},
        {"/bullet.bmp", ImageKind::Css, 17, 7},
        {"/lazy.bmp", ImageKind::Lazy, 18, 7},
        {"/lazy-2x.bmp", ImageKind::Lazy, 19, 7},
        {"/svgimage.bmp", ImageKind::SvgReference, 20, 7},
        {"/poster.bmp", ImageKind::Poster, 21, 7},
        {"/input.bmp", ImageKind::InputImage, 22, 7},
        {"/icon.bmp", ImageKind::Icon, 23, 7},
        {"/og.bmp", ImageKind::OpenGraph, 25, 7},
        {"/object.bmp", ImageKind::Embedded, 26, 7},
    };
    for (const auto& image : images) {
        site.Serve(image.path, "image/bmp", Bitmap(image.width, image.height));
    }
    other.Serve("/framed.bmp", "image/bmp", Bitmap(27, 7));
    other.Serve("/frame.html", "text/html", "<!DOCTYPE html><img src=\"framed.bmp\">");
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"12\" height=\"8\" "
        "viewBox=\"0 0 12 8\"><rect width=\"12\" height=\"8\"></rect></svg>";
    site.Serve("/page.html", "text/html",
               "<!DOCTYPE html><html><head><link rel=\"icon\" href=\"/icon.bmp\">"
               "<meta property=\"og:image\" content=\"/og.bmp\"><style>"
               "#bg { background-image: url(/bg.bmp), url('/bg2.bmp'); width: 9px; height: 9px }"
               "#pseudo::before { content: url(/before.bmp) }"
               "ul { list-style-image: url(/bullet.bmp) }</style></head><body>"
               "<img src=\"/plain.bmp\" alt=\"plain\">"
               "<img src=\"/1x.bmp\" srcset=\"/1x.bmp 1x, /2x.bmp 2x\">"
               "<picture><source srcset=\"/pic.bmp\"><img src=\"/pic.bmp\"></picture>"
               "<div id=\"bg\"></div><div id=\"pseudo\"></div><ul><li>x</li></ul>"
               "<div data-src=\"/lazy.bmp\" data-srcset=\"/lazy.bmp 1x, /lazy-2x.bmp 2x\"></div>" +
                   svg +
                   "<svg width=\"5\" height=\"5\"><image href=\"/svgimage.bmp\" width=\"5\" "
                   "height=\"5\"/></svg><video poster=\"/poster.bmp\"></video>"
                   "<input type=\"image\" src=\"/input.bmp\" alt=\"go\">"
                   "<object data=\"/object.bmp\" type=\"image/bmp\"></object>"
                   "<iframe src=\"" +
                   other.Url("/frame.html") +
                   "\"></iframe><script>addEventListener('load', () => setTimeout(() => {"
                   "document.title = typeof __quorvaneGatherImages + ',' + typeof "
                   "(window.webkit && webkit.messageHandlers && "
                   "webkit.messageHandlers.quorvaneImages)}, 0))</script></body></html>");
    element_->Navigate(site.Url("/page.html"));

    const auto sized = [this](const std::string& address) {
        const ImageRow* row = Row(address);
        return row != nullptr && row->naturalWidth > 0;
    };
    ASSERT_TRUE(WaitUntil([&] {
        for (const auto& image : images) {
            if (!sized(site.Url(image.path))) {
                return false;
            }
        }
        return sized(other.Url("/framed.bmp")) && events_.title != "";
    })) << table_.List().Rows().size()
        << " rows";
    for (const auto& image : images) {
        const ImageRow& row = *Row(site.Url(image.path));
        EXPECT_NE(row.kinds & KindBit(image.kind), 0) << image.path << ": " << KindNames(row.kinds);
        EXPECT_EQ(row.naturalWidth, image.width) << image.path;
        EXPECT_EQ(row.naturalHeight, image.height) << image.path;
    }
    EXPECT_EQ(Row(site.Url("/plain.bmp"))->text, "plain");
    EXPECT_EQ(Row(site.Url("/plain.bmp"))->shownWidth, 11u);
    EXPECT_EQ(Row(site.Url("/2x.bmp"))->descriptor, "2x");
    EXPECT_EQ(KindNames(Row(other.Url("/framed.bmp"))->kinds), "img");
    const ImageRow* inlineSvg = nullptr;
    for (const ImageRow& row : table_.List().Rows()) {
        const bool first = row.address.find("viewBox") != std::string::npos;
        inlineSvg = row.kinds == KindBit(ImageKind::InlineSvg) && first ? &row : inlineSvg;
    }
    ASSERT_NE(inlineSvg, nullptr);
    EXPECT_THAT(inlineSvg->address, ::testing::StartsWith("data:image/svg+xml,%3Csvg"));
    EXPECT_EQ(std::tie(inlineSvg->naturalWidth, inlineSvg->naturalHeight),
              std::make_tuple(12u, 8u));
    // The page's own scripts see neither the gatherer nor its message handler.
    EXPECT_EQ(events_.title, "undefined,undefined");

    // Asked again, the page is gathered afresh: the rows stay, each used as often.
    const int before = reports_;
    const std::uint32_t uses = Row(site.Url("/plain.bmp"))->uses;
    element_->GatherImagesAgain();
    ASSERT_TRUE(WaitUntil([&] { return reports_ > before; }));
    EXPECT_EQ(Row(site.Url("/plain.bmp"))->uses, uses);
    EXPECT_NE(Row(other.Url("/framed.bmp")), nullptr);
}

// A page that names more images than the list holds, a data: address of 50 MB, a text of
// a megabyte with a broken character, and scripts that replace what a gatherer would
// call: the list stops at its bound and says so, the address is cut, and the gathering
// is not disturbed.
TEST_F(ImageGathererTest, AHostilePageStaysInBounds) {
    HttpTestServer site;
    site.Serve("/page.html", "text/html",
               "<!DOCTYPE html><body><script>"
               "const huge = document.createElement('img');"
               "huge.src = 'data:image/gif;base64,' + 'A'.repeat(50 * 1024 * 1024);"
               "huge.alt = 'x'.repeat(1 << 20) + '\\uD800';"
               "document.body.append(huge);"
               "const block = document.createElement('div');"
               "for (let n = 0; n < 60000; ++n) {"
               "  const d = document.createElement('i'); d.dataset.src = '/l/' + n + '.png';"
               "  block.append(d); }"
               "document.body.append(block);"
               "JSON.stringify = () => { throw 1; };"
               "Element.prototype.getAttribute = () => 'javascript:alert(1)';"
               "window.getComputedStyle = () => { throw 1; };"
               "MessageChannel = function () { throw 1; };"
               "</script></body>");
    element_->Navigate(site.Url("/page.html"));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([&] { return table_.List().Stopped(); }, std::chrono::seconds(120)))
        << table_.List().Rows().size() << " rows";
    std::cout << "Gathered the hostile page in "
              << std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - start)
                     .count()
              << " ms\n";
    EXPECT_EQ(table_.List().Rows().size(), ImageList::kMaxRows);
    const ImageRow& huge = table_.List().Rows().front();
    EXPECT_EQ(KindNames(huge.kinds), "img");
    EXPECT_TRUE(huge.cut);
    EXPECT_EQ(huge.address.size(), kMaxImageAddressBytes);
    EXPECT_EQ(huge.text.size(), kMaxImageTextBytes);
    EXPECT_EQ(table_.List().Rows()[1].address, site.Url("/l/0.png"));
    EXPECT_EQ(KindNames(table_.List().Rows()[1].kinds), "lazy");
}

}  // namespace
}  // namespace quorvane::test

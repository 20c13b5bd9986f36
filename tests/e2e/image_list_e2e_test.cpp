// The Image List in the real window: after a page loads, its fifth tab lists every image
// with its kind, natural size, bytes and type, from every frame, and sums its findings; a
// page of ten thousand images fills it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <wx/listctrl.h>
#include <wx/statusbr.h>
#include <wx/window.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <string>
#include <vector>

#include "image_list/gui/image_list_view.h"
#include "main_window/commands.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/load_clock.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/e2e/test_bitmap.h"

namespace quorvane::test {
namespace {

using ImageListEndToEnd = MainWindowEndToEnd;

const ImageRow* RowOf(const ImageListTable& table, const std::string& address) {
    for (const ImageRow& row : table.List().Rows()) {
        if (row.address == address) {
            return &row;
        }
    }
    return nullptr;
}

// The controls of the view's filter row that lie over one another or over the list, or
// are given less room than they asked for, as the controls of a row too wide for the
// window are. The list itself scrolls: it may be narrower than its columns.
std::vector<std::string> SqueezedControls(const wxWindow& view) {
    std::vector<std::string> squeezed;
    const wxWindowList& controls = view.GetChildren();
    for (auto one = controls.begin(); one != controls.end(); ++one) {
        const wxRect place = (*one)->GetRect();
        const std::string name = (*one)->GetLabel().utf8_string() + " (" +
                                 wxString((*one)->GetClassInfo()->GetClassName()).utf8_string() +
                                 ")";
        if (wxDynamicCast(*one, wxListCtrl) == nullptr &&
            place.width < (*one)->GetEffectiveMinSize().x) {
            squeezed.push_back(name + " is narrower than it asked for");
        }
        for (auto other = std::next(one); other != controls.end(); ++other) {
            if (place.Intersects((*other)->GetRect())) {
                squeezed.push_back(name + " lies over " + (*other)->GetLabel().utf8_string());
            }
        }
    }
    return squeezed;
}

TEST_F(ImageListEndToEnd, ListsEachImageWithItsKindSizeAndBytes) {
    HttpTestServer other;
    const struct {
        std::string address;
        ImageKind kind;
        std::uint32_t width, height;
        bool framed;
        bool lengthUnsaid = false;
    } images[] = {
        {"/list/img.bmp", ImageKind::Img, 31, 5, false},
        {"/list/bg.bmp", ImageKind::Css, 32, 5, false},
        {"/list/lazy.bmp", ImageKind::Lazy, 33, 5, false},
        {"/list/framed.bmp", ImageKind::Img, 34, 5, true},
        {"/list/unsized.bmp", ImageKind::Img, 35, 5, false, true},
    };
    for (const auto& image : images) {
        HttpTestServer& server = image.framed ? other : server_;
        if (image.lengthUnsaid) {
            server.ServeWithoutLength(image.address, "image/bmp",
                                      Bitmap(image.width, image.height));
        } else {
            server.Serve(image.address, "image/bmp", Bitmap(image.width, image.height));
        }
    }
    other.Serve("/list/frame.html", "text/html", "<img src=\"framed.bmp\">");
    server_.Serve("/list/page.html", "text/html",
                  "<!DOCTYPE html><html><body><img src=\"img.bmp\" alt=\"shown\">"
                  "<img src=\"unsized.bmp\">"
                  "<div style=\"background-image: url(bg.bmp); width: 5px; height: 5px\"></div>"
                  "<div data-src=\"lazy.bmp\"></div><iframe src=\"" +
                      other.Url("/list/frame.html") + "\"></iframe></body></html>");
    TypeAddressAndPressEnter(server_.Url("/list/page.html"));
    CommandFor(CommandId::ImageListView).run({frame_->Controller(), *frame_});
    ASSERT_EQ(frame_->Controller().VisibleView(), MainWindowController::kImageListView);

    const ImageListTable& table = frame_->ImageTable();
    const auto address = [&](const auto& image) {
        return (image.framed ? other : server_).Url(image.address);
    };
    ASSERT_TRUE(WaitUntil([&] {
        for (const auto& image : images) {
            const ImageRow* row = RowOf(table, address(image));
            if (row == nullptr || !row->bytes || row->naturalWidth == 0) {
                return false;
            }
        }
        return frame_->ImageList().ShownLines() == std::size(images);
    })) << table.List().Rows().size()
        << " rows";
    for (const auto& image : images) {
        const ImageRow& row = *RowOf(table, address(image));
        EXPECT_EQ(row.kinds, KindBit(image.kind)) << image.address;
        EXPECT_EQ(std::tie(row.naturalWidth, row.naturalHeight),
                  std::tie(image.width, image.height))
            << image.address;
        EXPECT_EQ(row.bytes, Bitmap(image.width, image.height).size()) << image.address;
        EXPECT_EQ(row.type, "image/bmp") << image.address;
    }
    // What the page loaded is read from the engine's copy, which is what the page showed:
    // its server is never asked again. The lazy picture, which the page never loaded, may be;
    // one of unsaid length, which could be of any size, is fetched to a file, never copied.
    for (const auto& image : images) {
        const std::vector<std::string> asked = (image.framed ? other : server_).RequestedPaths();
        if (image.kind != ImageKind::Lazy) {
            EXPECT_EQ(std::count(asked.begin(), asked.end(), image.address),
                      image.lengthUnsaid ? 2 : 1)
                << image.address;
        }
    }
    EXPECT_EQ(RowOf(table, server_.Url("/list/img.bmp"))->text, "shown");
    EXPECT_EQ(frame_->ImageList().CountText(), "5 images");
    // The filter row and the count fit the window's width without squeezing a control.
    EXPECT_THAT(SqueezedControls(frame_->ImageList()), ::testing::IsEmpty());
}

// A picture's address is the page's: a CSS data: picture holding quotes, which the engine
// gives back escaped, and no row for a lazy loader's empty src, which the engine reads as
// the page's own address.
TEST_F(ImageListEndToEnd, ListsAddressesAsThePageWroteThem) {
    const std::string svg =
        "data:image/svg+xml;utf8,<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" "
        "height=\"4\"><rect fill=\"red\" width=\"4\" height=\"4\"/></svg>";
    server_.Serve("/exact/lazy.bmp", "image/bmp", Bitmap(3, 3));
    server_.Serve("/exact/page.html", "text/html",
                  "<!DOCTYPE html><html><head><style>.bg { background-image: url('" + svg +
                      "'); width: 4px; height: 4px }</style></head><body><div class=\"bg\"></div>"
                      "<img src=\"\" data-src=\"lazy.bmp\"></body></html>");
    TypeAddressAndPressEnter(server_.Url("/exact/page.html"));
    CommandFor(CommandId::ImageListView).run({frame_->Controller(), *frame_});
    const ImageListTable& table = frame_->ImageTable();
    ASSERT_TRUE(WaitUntil([&] {
        return RowOf(table, server_.Url("/exact/lazy.bmp")) != nullptr &&
               RowOf(table, svg) != nullptr && frame_->ImageList().ShownLines() >= 2 &&
               table.List().Rows().size() == 2;
    })) << table.List().Rows().size()
        << " rows, the first "
        << (table.List().Rows().empty() ? "" : table.List().Rows()[0].address);
    EXPECT_EQ(RowOf(table, server_.Url("/exact/page.html")), nullptr);
    EXPECT_EQ(RowOf(table, svg)->kinds, KindBit(ImageKind::Css));
}

// The line above the list sums what is wrong with the page's pictures: one its server has
// not, one four times as wide and high as it is shown, one without alt text (alt="" says a
// picture is decoration, and is no finding).
TEST_F(ImageListEndToEnd, SumsTheBrokenOversizedAndUnlabelledPictures) {
    server_.Serve("/audit/big.bmp", "image/bmp", Bitmap(40, 40));
    server_.Serve("/audit/plain.bmp", "image/bmp", Bitmap(3, 3));
    server_.Serve("/audit/decoration.bmp", "image/bmp", Bitmap(2, 2));
    server_.Serve("/audit/page.html", "text/html",
                  "<!DOCTYPE html><html><body><img src=\"gone.bmp\" alt=\"gone\">"
                  "<img src=\"big.bmp\" alt=\"big\" style=\"width: 10px; height: 10px\">"
                  "<img src=\"plain.bmp\"><img src=\"decoration.bmp\" alt=\"\"></body></html>");
    TypeAddressAndPressEnter(server_.Url("/audit/page.html"));
    CommandFor(CommandId::ImageListView).run({frame_->Controller(), *frame_});
    const ImageListTable& table = frame_->ImageTable();
    // The saving is an estimate of a 10 × 10 picture's bytes: a few kB of the 4.8 kB.
    const auto summed = [&] {
        const std::string text = frame_->ImageList().AuditText();
        return text.starts_with("1 broken, 1 oversized (") &&
               text.ends_with("\u00A0kB), 1 without alt text");
    };
    ASSERT_TRUE(WaitUntil(summed)) << frame_->ImageList().AuditText();
    EXPECT_EQ(ImageCellText(*RowOf(table, server_.Url("/audit/gone.bmp")), ImageColumn::Findings),
              "broken");
    EXPECT_EQ(ImageCellText(*RowOf(table, server_.Url("/audit/plain.bmp")), ImageColumn::Findings),
              "no alt text");
    EXPECT_EQ(
        ImageCellText(*RowOf(table, server_.Url("/audit/decoration.bmp")), ImageColumn::Findings),
        "");
}

// A web page may name a script or a local file as a picture: the list shows the row, and
// Enter on it opens nothing but names it.
TEST_F(ImageListEndToEnd, OpensNoScriptAndNoLocalFileFromAWebPage) {
    server_.Serve("/refused/page.html", "text/html",
                  "<!DOCTYPE html><html><body><img src=\"javascript:alert(1)\">"
                  "<img src=\"file:///etc/passwd\"></body></html>");
    TypeAddressAndPressEnter(server_.Url("/refused/page.html"));
    CommandFor(CommandId::ImageListView).run({frame_->Controller(), *frame_});
    const ImageListTable& table = frame_->ImageTable();
    ASSERT_TRUE(WaitUntil([&] {
        return RowOf(table, "javascript:alert(1)") != nullptr &&
               RowOf(table, "file:///etc/passwd") != nullptr &&
               frame_->ImageList().ShownLines() == 2;
    })) << table.List().Rows().size()
        << " rows";
    wxListCtrl* lines = nullptr;
    for (wxWindow* child : frame_->ImageList().GetChildren()) {
        lines = lines != nullptr ? lines : wxDynamicCast(child, wxListCtrl);
    }
    ASSERT_NE(lines, nullptr);
    for (long line = 0; line < 2; ++line) {
        const std::string address = table.ShownRow(static_cast<std::size_t>(line)).address;
        lines->SetItemState(line, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                            wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        lines->SetFocus();
        TypeKeys("Return");
        const std::string said = "Not opened: " + address + " is not a web address";
        EXPECT_TRUE(WaitUntil([&] {
            return frame_->GetStatusBar()->GetStatusText(0).utf8_string() == said;
        })) << frame_->GetStatusBar()->GetStatusText(0).utf8_string();
        EXPECT_EQ(frame_->Element(0).Address(), server_.Url("/refused/page.html"));
        lines->SetItemState(line, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
}

// The list fills while the page still loads: its rows come once the document is parsed,
// not at the load's end; the size of a picture no <img> shows follows when it is measured,
// and the pictures the load waited for get theirs at its end.
TEST_F(ImageListEndToEnd, FillsWhileThePageStillLoads) {
    server_.ServeHeldBack(std::chrono::minutes(5), "/loading/held.bmp", "image/bmp",
                          Bitmap(36, 5));
    server_.Serve("/loading/bg.bmp", "image/bmp", Bitmap(37, 5));
    server_.Serve("/loading/page.html", "text/html",
                  "<!DOCTYPE html><html><body><img src=\"held.bmp\">"
                  "<div style=\"background-image: url(bg.bmp); width: 5px; height: 5px\"></div>"
                  "</body></html>");
    const std::string page = server_.Url("/loading/page.html");
    LoadClock load(*frame_, {page, "", ""});
    frame_->Controller().SelectView(MainWindowController::kImageListView);
    TypeAddressAndPressEnter(page);

    const ImageListTable& table = frame_->ImageTable();
    const std::string held = server_.Url("/loading/held.bmp");
    const std::string background = server_.Url("/loading/bg.bmp");
    ASSERT_TRUE(WaitUntil([&] {
        const ImageRow* row = RowOf(table, background);
        return RowOf(table, held) != nullptr && row != nullptr && row->naturalWidth == 37;
    })) << table.List().Rows().size() << " rows";
    EXPECT_FALSE(load.BrowserViewLoaded());
    EXPECT_EQ(frame_->ImageList().CountText(), "2 images");

    server_.ReleaseHeldBack();
    ASSERT_TRUE(WaitUntil([&] { return load.BrowserViewLoaded(); }));
    ASSERT_TRUE(WaitUntil([&] {
        const ImageRow* row = RowOf(table, held);
        return row != nullptr && row->naturalWidth == 36 && row->shownWidth == 36;
    }));
    EXPECT_EQ(RowOf(table, background)->naturalWidth, 37u);
    EXPECT_EQ(frame_->ImageList().CountText(), "2 images");
}

// Pictures that never answer hold up no other's size: more of them than the probes have
// places come first, and the picture named after them, at a server of its own, is measured
// all the same; each one is given up after its own wait, so that the measuring ends while
// the server still holds them.
TEST_F(ImageListEndToEnd, APictureThatNeverAnswersHoldsUpNoOther) {
    // The engine keeps a few connections to each host, which the held pictures take: the
    // picture that answers is at another host's name.
    HttpTestServer answering;
    answering.Serve("/late.bmp", "image/bmp", Bitmap(38, 5));
    const std::string late = "http://localhost:" + std::to_string(answering.Port()) + "/late.bmp";
    std::string body;
    for (int n = 0; n < 70; ++n) {
        const std::string name = "/silent/" + std::to_string(n) + ".bmp";
        server_.ServeHeldBack(std::chrono::minutes(5), name, "image/bmp", Bitmap(39, 5));
        body += "<div data-src=\"" + name + "\">.</div>";
    }
    body += "<div data-src=\"" + late + "\">.</div>";
    server_.Serve("/silent/page.html", "text/html", "<!DOCTYPE html><body>" + body + "</body>");
    frame_->Controller().SelectView(MainWindowController::kImageListView);
    TypeAddressAndPressEnter(server_.Url("/silent/page.html"));

    const ImageListTable& table = frame_->ImageTable();
    // Its size comes while the others are still waited for, not once they are given up.
    bool measuringWhenSized = false;
    ASSERT_TRUE(WaitUntil([&] {
        const ImageRow* row = RowOf(table, late);
        measuringWhenSized = table.List().PageMeasuring();
        return row != nullptr && row->naturalWidth == 38;
    })) << table.List().Rows().size()
        << " rows";
    EXPECT_TRUE(measuringWhenSized);
    ASSERT_TRUE(WaitUntil([&] { return !table.List().PageMeasuring(); }));
    EXPECT_GT(server_.HeldBack(), 0u);
    EXPECT_EQ(table.List().Rows().size(), 71u);
    EXPECT_EQ(RowOf(table, server_.Url("/silent/0.bmp"))->naturalWidth, 0u);
    server_.ReleaseHeldBack();
}

// The images are at a port that refuses them: the page loads at once, and what is
// measured is the list.
TEST_F(ImageListEndToEnd, TenThousandImagesFillTheList) {
    constexpr int kImages = 10'000;
    std::string body;
    for (int n = 0; n < kImages; ++n) {
        body += "<img src=\"http://127.0.0.1:1/" + std::to_string(n) + ".bmp\">";
    }
    server_.Serve("/many/page.html", "text/html", "<!DOCTYPE html><body>" + body + "</body>");
    TypeAddressAndPressEnter(server_.Url("/many/page.html"));
    frame_->Controller().SelectView(MainWindowController::kImageListView);
    ASSERT_TRUE(WaitUntil([&] { return frame_->ImageList().ShownLines() == kImages; },
                          std::chrono::minutes(3)))
        << frame_->ImageList().ShownLines() << " lines";
    EXPECT_EQ(frame_->ImageList().CountText(), "10 000 images");
    EXPECT_FALSE(frame_->ImageTable().List().Stopped());
}

}  // namespace
}  // namespace quorvane::test

#include "desktop/gui/window_helpers.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/frame.h>

#include "desktop/gui/icon_bundle.h"

namespace quorvane {
namespace {

// Top-level windows for one test, destroyed at its end.
class WindowHelpersTest : public ::testing::Test {
  protected:
    void TearDown() override { frame_->Destroy(); }
    wxFrame* frame_ = new wxFrame(nullptr, wxID_ANY, "owner");
    wxDialog* dialog_ = new wxDialog(frame_, wxID_ANY, "owned");
    wxDialog* inner_ = new wxDialog(dialog_, wxID_ANY, "owned by the owned");
};

TEST_F(WindowHelpersTest, TheIconResourceHoldsEveryImageSize) {
    const wxIconBundle icons = LoadIconBundle("AAA");
    ASSERT_EQ(icons.GetIconCount(), 5u);
    for (const int size : {128, 64, 48, 32, 16}) {
        const wxIcon icon = icons.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
        ASSERT_TRUE(icon.IsOk()) << size;
        EXPECT_EQ(icon.GetWidth(), size);
    }
    EXPECT_TRUE(LoadIconBundle("BBB").IsEmpty());
}

TEST_F(WindowHelpersTest, SetIconReachesTheOutermostOwnerOnlyWhenAsked) {
    SetIcon(inner_, "AAA", false);
    EXPECT_EQ(inner_->GetIcons().GetIconCount(), 5u);
    EXPECT_TRUE(frame_->GetIcons().IsEmpty());

    SetIcon(inner_, "AAA", true);
    EXPECT_EQ(frame_->GetIcons().GetIconCount(), 5u);
    // The owner in the middle of the chain is not the outermost one.
    EXPECT_TRUE(dialog_->GetIcons().IsEmpty());
}

TEST_F(WindowHelpersTest, SetIconOnAWindowWithoutOwnerSetsItself) {
    SetIcon(frame_, "AAA", true);
    EXPECT_EQ(frame_->GetIcons().GetIconCount(), 5u);
}

TEST_F(WindowHelpersTest, SetTopMostTurnsStayOnTopOnAndOff) {
    const long before = dialog_->GetWindowStyleFlag();
    SetTopMost(dialog_, true);
    EXPECT_TRUE(dialog_->HasFlag(wxSTAY_ON_TOP));
    SetTopMost(dialog_, false);
    EXPECT_FALSE(dialog_->HasFlag(wxSTAY_ON_TOP));
    EXPECT_EQ(dialog_->GetWindowStyleFlag(), before & ~wxSTAY_ON_TOP);
}

}  // namespace
}  // namespace quorvane

// The drop-down list: its window and items, choosing an item with the real mouse, and the
// ways it goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/common_button.h"
#include "dui/dropdown_view.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"
#include "tests/dui/recording_view.h"
#include "tests/dui/test_widget.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using dui::CommonButton;
using dui::DropdownView;
using dui_testing::TestWidget;
using testing_support::WaitUntil;

constexpr int kOpenX = 406;
constexpr int kOpenY = 419;
constexpr DropdownView::Style kStyle = {
    74, 32, 4, IDB_FONT_SIZE_ITEM, IDB_FONT_SIZE_ITEM_HOVER, 0xFFC3C3C3,
};
// Three items of 32 under a margin of 4.
constexpr dui::Rectangle kListBounds = {kOpenX, kOpenY, 74, 4 + 3 * 32};

class RecordingDelegate : public DropdownView::Delegate {
 public:
  void OnDropdownClosed(int chosen) override { closed.push_back(chosen); }
  std::vector<int> closed;
};

// A list of three items opened from a stand-in for the window that owns it.
class DropdownFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::Xdo::MoveMouse(100, 100));
    auto* content = new dui_testing::RecordingView("owner", nullptr, 0xFF303030);
    owner_ = std::make_unique<TestWidget>(dui::Rectangle{300, 300, 271, 49}, content);
    owner_->get()->Show(true);
    list_ = DropdownView::Show(owner_->hwnd(), {L"one", L"two", L"three"}, kStyle, &delegate_,
                               kOpenX, kOpenY, base::DpiScale());
    ASSERT_NE(list_, nullptr);
    hwnd_ = list_->GetWidget()->GetHwnd();
  }
  void TearDown() override {
    if (IsWindow(hwnd_) && delegate_.closed.empty())
      list_->Close();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd_); }));
    owner_.reset();
  }

  std::unique_ptr<TestWidget> owner_;
  RecordingDelegate delegate_;
  DropdownView* list_ = nullptr;
  HWND hwnd_ = nullptr;
};

TEST_F(DropdownFixture, ShowsOneItemPerEntryWithTheGivenLook) {
  EXPECT_EQ(DropdownView::Height(kStyle, 8), 260);
  EXPECT_EQ(list_->GetWidget()->GetWindowBounds(), kListBounds);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  EXPECT_TRUE(GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(hwnd_, GW_OWNER), owner_->hwnd());

  ASSERT_EQ(list_->GetChildViewCount(), 3);
  const wchar_t* texts[] = {L"one", L"two", L"three"};
  for (int i = 0; i < 3; ++i) {
    auto* item = static_cast<CommonButton*>(list_->GetChildViewAt(i));
    EXPECT_EQ(item->GetText(), texts[i]);
    EXPECT_EQ(item->GetBounds(), (dui::Rectangle{0, 4 + 32 * i, 74, 32}));
    EXPECT_EQ(item->GetStateImage(CommonButton::Look::kNormal), IDB_FONT_SIZE_ITEM);
    EXPECT_EQ(item->GetStateImage(CommonButton::Look::kHover), IDB_FONT_SIZE_ITEM_HOVER);
    EXPECT_EQ(item->GetStateImage(CommonButton::Look::kPressed), IDB_FONT_SIZE_ITEM_HOVER);
  }
}

TEST_F(DropdownFixture, ChoosingAnItemReportsItsIndexAndCloses) {
  dui::Widget* widget = list_->GetWidget();
  // The middle of the third item.
  const int x = 37;
  const int y = 4 + 32 * 2 + 16;
  ASSERT_TRUE(WaitUntil([&] {
    const uint32_t pixel = dui_testing::WidgetBufferPixel(widget, x, y);
    return pixel >> 24 == 0xFF && TestWidget::ScreenPixel(kListBounds.x + x, kListBounds.y + y) ==
                                      RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
  })) << "the list is on the screen";
  ASSERT_TRUE(testing_support::Xdo::Click(kListBounds.x + x, kListBounds.y + y));
  ASSERT_TRUE(WaitUntil([&] { return !delegate_.closed.empty(); }));
  EXPECT_EQ(delegate_.closed, std::vector<int>{2});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd_); }));
}

TEST_F(DropdownFixture, ClicksFromOtherViewsAreIgnored) {
  CommonButton stranger;
  list_->OnClick(&stranger);
  list_->OnClick(list_);
  EXPECT_TRUE(delegate_.closed.empty());
  EXPECT_TRUE(IsWindowVisible(hwnd_));
}

// Closed by its opener, the list says nothing; gone with its owner, it says it went
// without a choice.
TEST_F(DropdownFixture, ClosingIsSilentAndDyingWithTheOwnerIsReported) {
  list_->Close();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd_); }));
  EXPECT_TRUE(delegate_.closed.empty());

  list_ = DropdownView::Show(owner_->hwnd(), {L"one"}, kStyle, &delegate_, kOpenX, kOpenY,
                             base::DpiScale());
  hwnd_ = list_->GetWidget()->GetHwnd();
  DestroyWindow(owner_->hwnd());
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_EQ(delegate_.closed, std::vector<int>{DropdownView::kNoChoice});
}

}  // namespace

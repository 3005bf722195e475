// The font-size drop-down: its window and items, toggling, and choosing a size with the
// real mouse.
#include <gtest/gtest.h>

#include <string>

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

constexpr int kOpenX = 400;
constexpr int kOpenY = 420;
// The list's window lies 6 pixels right of and 1 above the point it is opened at.
constexpr dui::Rectangle kListBounds = {kOpenX + 6, kOpenY - 1, 74, 260};

class SizeDelegate : public DropdownView::Delegate {
 public:
  void OnFontSizeChanged() override { ++calls; }
  int calls = 0;
};

// A stand-in for the picker: a widget with the font-size button that the list captions.
class DropdownFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::Xdo::MoveMouse(100, 100));
    auto* content = new dui_testing::RecordingView("picker", nullptr, 0xFF303030);
    picker_ = std::make_unique<TestWidget>(dui::Rectangle{300, 300, 271, 49}, content);
    target_ = new CommonButton(L"12");
    target_->SetStateImage(IDB_FONT_SIZE_BUTTON, CommonButton::SS_NORMAL);
    target_->SetBounds(6, 11, 74, 32);
    content->AddChildView(target_);
    picker_->get()->Show(true);
  }
  void TearDown() override {
    if (dui::Widget* list = DropdownView::GetDropdownWidget()) {
      HWND hwnd = list->GetHwnd();
      DropdownView::CloseFontSizeDropdown();
      EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }));
    }
    picker_.reset();
  }

  void Open() {
    DropdownView::ShowFontSizeDropdown(picker_->hwnd(), target_, &delegate_, &font_index_, kOpenX,
                                       kOpenY);
  }

  std::unique_ptr<TestWidget> picker_;
  CommonButton* target_ = nullptr;
  SizeDelegate delegate_;
  int font_index_ = 2;
};

TEST_F(DropdownFixture, OpensWithEightSizesAndASecondCallClosesIt) {
  Open();
  dui::Widget* list = DropdownView::GetDropdownWidget();
  ASSERT_NE(list, nullptr);
  HWND hwnd = list->GetHwnd();
  EXPECT_EQ(list->GetWindowBounds(), kListBounds);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), picker_->hwnd());

  dui::View* view = list->GetContentsView();
  ASSERT_EQ(view->GetChildViewCount(), 8);
  const wchar_t* sizes[] = {L"8", L"10", L"12", L"14", L"16", L"18", L"20", L"22"};
  for (int i = 0; i < 8; ++i) {
    auto* item = static_cast<CommonButton*>(view->GetChildViewAt(i));
    EXPECT_EQ(item->GetText(), sizes[i]);
    EXPECT_EQ(item->GetBounds(), (dui::Rectangle{0, 4 + 32 * i, 74, 32}));
    EXPECT_EQ(item->GetStateImage(CommonButton::SS_NORMAL), IDB_FONT_SIZE_ITEM);
    EXPECT_EQ(item->GetStateImage(CommonButton::SS_PRESSED), IDB_FONT_SIZE_ITEM_HOVER);
  }

  Open();
  EXPECT_EQ(DropdownView::GetDropdownWidget(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }));
  EXPECT_EQ(delegate_.calls, 0);
  EXPECT_EQ(font_index_, 2);
  EXPECT_EQ(target_->GetText(), L"12");
}

TEST_F(DropdownFixture, ChoosingFourteenStoresIndexThreeAndCaptionsTheButton) {
  Open();
  dui::Widget* list = DropdownView::GetDropdownWidget();
  ASSERT_NE(list, nullptr);
  HWND hwnd = list->GetHwnd();
  // The middle of the fourth item, "14".
  const int x = 37;
  const int y = 4 + 32 * 3 + 16;
  ASSERT_TRUE(WaitUntil([&] {
    const uint32_t pixel = dui_testing::WidgetBufferPixel(list, x, y);
    return pixel >> 24 == 0xFF && TestWidget::ScreenPixel(kListBounds.x + x, kListBounds.y + y) ==
                                      RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
  })) << "the list is on the screen";
  ASSERT_TRUE(testing_support::Xdo::Click(kListBounds.x + x, kListBounds.y + y));
  ASSERT_TRUE(WaitUntil([&] { return delegate_.calls > 0; }));
  EXPECT_EQ(delegate_.calls, 1);
  EXPECT_EQ(font_index_, 3);
  EXPECT_EQ(target_->GetText(), L"14");
  EXPECT_EQ(DropdownView::GetDropdownWidget(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }));
}

TEST_F(DropdownFixture, ClicksFromOtherViewsAreIgnored) {
  Open();
  auto* view = static_cast<DropdownView*>(DropdownView::GetDropdownWidget()->GetContentsView());
  view->OnClick(target_);
  view->OnClick(view);
  EXPECT_EQ(delegate_.calls, 0);
  EXPECT_EQ(font_index_, 2);
  EXPECT_NE(DropdownView::GetDropdownWidget(), nullptr);
}

TEST_F(DropdownFixture, ListThatDiesWithItsOwnerIsForgotten) {
  Open();
  HWND list = DropdownView::GetDropdownWidget()->GetHwnd();
  DestroyWindow(picker_->hwnd());
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(DropdownView::GetDropdownWidget(), nullptr);
}

}  // namespace

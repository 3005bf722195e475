// CommonButton: its size from its images, its four looks, its caption, and what the mouse
// does to it (driven by the real mouse through xdotool).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dui/common_button.h"
#include "dui/mouse_listener.h"
#include "dui/click_listener.h"
#include "resources/resource_ids.h"
#include "tests/support/message_box_closer.h"
#include "tests/dui/pixels.h"
#include "tests/dui/recording_view.h"
#include "tests/dui/test_widget.h"
#include "tests/support/assert_recorder.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using dui::CommonButton;
using dui_testing::RawPixel;
using dui_testing::Render;
using dui_testing::RenderImage;
using dui_testing::SamePixels;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr int kItemWidth = 74;
constexpr int kItemHeight = 32;
constexpr uint32_t kWhite = 0xFFFFFFFF;

TEST(CommonButtonTest, NewButtonHasNoFaceAndTakesTheSizeOfTheFirstItIsGiven) {
  CommonButton button;
  EXPECT_TRUE(button.GetBounds().IsEmpty());
  EXPECT_EQ(button.GetState(), CommonButton::Look::kNormal);
  for (int state = 0; state < CommonButton::kLookCount; ++state)
    EXPECT_EQ(button.GetStateImage(static_cast<CommonButton::Look>(state)), 0) << state;
  button.SetStateImage(IDB_BUTTON, CommonButton::Look::kNormal);
  EXPECT_EQ(button.GetBounds(), (dui::Rectangle{0, 0, 11, 31}));
  EXPECT_EQ(button.GetStateImage(CommonButton::Look::kNormal), IDB_BUTTON);

  // A button with bounds keeps them whatever size its images have.
  button.SetStateImage(IDB_TOOL_RECTANGLE, CommonButton::Look::kNormal);
  EXPECT_EQ(button.GetBounds(), (dui::Rectangle{0, 0, 11, 31}));
  button.SetBounds(5, 6, 50, 40);
  button.SetStateImage(IDB_TOOL_RECTANGLE_HOVER, CommonButton::Look::kHover);
  EXPECT_EQ(button.GetBounds(), (dui::Rectangle{5, 6, 50, 40}));
  // Without bounds it takes the image's size again.
  button.SetBounds(5, 6, 0, 0);
  button.SetStateImage(IDB_TOOL_RECTANGLE, CommonButton::Look::kNormal);
  EXPECT_EQ(button.GetBounds(), (dui::Rectangle{5, 6, 24, 24}));
  EXPECT_EQ(button.GetStateImage(CommonButton::Look::kNormal), IDB_TOOL_RECTANGLE);
}

TEST(CommonButtonTest, EachStatePaintsItsImageAndDisabledPassesTheMouseOn) {
  dui::View toolbar;
  toolbar.SetBounds(0, 0, 100, 40);
  auto* button = new CommonButton;
  toolbar.AddChildView(button);
  const int faces[] = {IDB_BUTTON, IDB_BUTTON_HOVER, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED};
  for (int state = 0; state < CommonButton::kLookCount; ++state)
    button->SetStateImage(faces[state], static_cast<CommonButton::Look>(state));
  for (int state = 0; state < CommonButton::kLookCount; ++state) {
    button->SetState(static_cast<CommonButton::Look>(state));
    auto painted = Render(*button, 11, 31);
    auto expected = RenderImage(faces[state], 11, 31);
    EXPECT_TRUE(SamePixels(*painted, *expected)) << "state " << state;
    const bool disabled = static_cast<CommonButton::Look>(state) == CommonButton::Look::kDisabled;
    EXPECT_EQ(button->IsEnabled(), !disabled);
    EXPECT_EQ(toolbar.GetViewForPoint({5, 5}), disabled ? &toolbar : button) << state;
  }
  auto normal = RenderImage(IDB_BUTTON, 11, 31);
  auto disabled = RenderImage(IDB_BUTTON_DISABLED, 11, 31);
  EXPECT_FALSE(SamePixels(*normal, *disabled)) << "the looks can be told apart";
}

TEST(CommonButtonTest, InvalidStatesAndMissingImagesAreReported) {
  testing_support::ScopedAssertRecorder asserts;
  testing_support::MessageBoxCloser closer(L"Error");
  CommonButton button;
  button.SetState(static_cast<CommonButton::Look>(CommonButton::kLookCount));
  button.SetState(static_cast<CommonButton::Look>(-1));
  EXPECT_EQ(button.GetState(), CommonButton::Look::kNormal);
  button.SetStateImage(54321, CommonButton::Look::kHover);
  std::vector<std::string> conditions;
  for (const auto& failure : asserts.failures())
    conditions.push_back(failure.module + ": " + failure.condition);
  EXPECT_EQ(conditions,
            (std::vector<std::string>{
                "common_button: IndexOf(look) >= 0", "common_button: IndexOf(look) >= 0",
                "res_manager: image != NULL", "common_button: image != NULL"}));
  EXPECT_EQ(closer.texts().size(), 1u);
}

TEST(CommonButtonTest, CaptionIsCentredOrStartsFourPixelsIn) {
  CommonButton button(L"8");
  button.SetStateImage(IDB_FONT_SIZE_ITEM, CommonButton::Look::kNormal);
  button.SetBounds(0, 0, kItemWidth, kItemHeight);
  button.SetTextColor(kWhite);
  auto face = RenderImage(IDB_FONT_SIZE_ITEM, kItemWidth, kItemHeight);
  // Columns where the caption changed the face.
  auto ink_columns = [&](Gdiplus::Bitmap& painted) {
    std::vector<int> columns;
    for (int x = 0; x < kItemWidth; ++x) {
      for (int y = 0; y < kItemHeight; ++y) {
        if (RawPixel(painted, x, y) != RawPixel(*face, x, y)) {
          columns.push_back(x);
          break;
        }
      }
    }
    return columns;
  };
  auto centred = ink_columns(*Render(button, kItemWidth, kItemHeight));
  ASSERT_FALSE(centred.empty());
  const int middle = (centred.front() + centred.back()) / 2;
  EXPECT_NEAR(middle, kItemWidth / 2, 3);

  button.SetTextCentered(false);
  auto left = ink_columns(*Render(button, kItemWidth, kItemHeight));
  ASSERT_FALSE(left.empty());
  EXPECT_GE(left.front(), 4);
  EXPECT_LE(left.front(), 6);

  button.SetText(L"");
  EXPECT_TRUE(ink_columns(*Render(button, kItemWidth, kItemHeight)).empty());
}

// Records the button's state at every notification it sends.
class StateLog : public dui::MouseListener, public dui::ClickListener {
 public:
  explicit StateLog(CommonButton* button) : button_(button) {}
  void OnMouseEntered(dui::View*, const dui::Point&) override { Add("entered"); }
  void OnMouseMoved(dui::View*, const dui::Point&) override { Add("moved"); }
  void OnMousePressed(dui::View*, const dui::Point&) override { Add("pressed"); }
  void OnMouseReleased(dui::View*, const dui::Point&) override { Add("released"); }
  void OnMouseExited(dui::View*) override { Add("exited"); }
  void OnClick(dui::View* sender) override {
    EXPECT_EQ(sender, button_);
    Add("click");
  }
  bool Has(const std::string& entry) const {
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
  }
  std::vector<std::string> entries;

 private:
  void Add(const std::string& what) {
    entries.push_back(what + " " + std::to_string(static_cast<int>(button_->GetState())));
  }
  CommonButton* button_;
};

// A button at (20, 20) of a widget at (300, 300) with an opaque background.
class ButtonMouseFixture : public testing::Test {
 protected:
  static constexpr int kWidgetX = 300;
  static constexpr int kWidgetY = 300;

  void SetUp() override {
    ASSERT_TRUE(Xdo::MoveMouse(100, 100));
    auto* content = new dui_testing::RecordingView("content", nullptr, 0xFF202020);
    widget_ = std::make_unique<dui_testing::TestWidget>(
        dui::Rectangle{kWidgetX, kWidgetY, 200, 100}, content);
    button_ = new CommonButton;
    button_->SetStateImage(IDB_FONT_SIZE_ITEM, CommonButton::Look::kNormal);
    button_->SetStateImage(IDB_FONT_SIZE_ITEM_HOVER, CommonButton::Look::kHover);
    button_->SetStateImage(IDB_FONT_SIZE_ITEM_HOVER, CommonButton::Look::kPressed);
    button_->SetStateImage(IDB_BUTTON_DISABLED, CommonButton::Look::kDisabled);
    button_->SetBounds(20, 20, kItemWidth, kItemHeight);
    log_ = std::make_unique<StateLog>(button_);
    button_->SetMouseListener(log_.get());
    button_->SetClickListener(log_.get());
    content->AddChildView(button_);
    ASSERT_TRUE(widget_->ShowAndWaitFor(5, 5, RGB(0x20, 0x20, 0x20)));
  }
  void TearDown() override { widget_.reset(); }

  bool MoveOverButton(int dx) { return Xdo::MoveMouse(kWidgetX + 40 + dx, kWidgetY + 36); }
  bool WaitFor(const std::string& entry) {
    return WaitUntil([&] { return log_->Has(entry); });
  }
  // The back buffer over the button shows image `id`.
  bool ShowsImage(int id) {
    auto expected = RenderImage(id, kItemWidth, kItemHeight);
    for (int y = 0; y < kItemHeight; y += 3) {
      for (int x = 0; x < kItemWidth; x += 3) {
        const uint32_t pixel = RawPixel(*expected, x, y);
        if (pixel >> 24 == 0xFF && widget_->BufferPixel(20 + x, 20 + y) != pixel)
          return false;
      }
    }
    return true;
  }

  std::unique_ptr<dui_testing::TestWidget> widget_;
  CommonButton* button_ = nullptr;
  std::unique_ptr<StateLog> log_;
};

TEST_F(ButtonMouseFixture, PressMoveAndReleaseShowsHoverAgainAndStillClicks) {
  ASSERT_FALSE(SamePixels(*RenderImage(IDB_FONT_SIZE_ITEM, kItemWidth, kItemHeight),
                          *RenderImage(IDB_FONT_SIZE_ITEM_HOVER, kItemWidth, kItemHeight)));
  ASSERT_TRUE(MoveOverButton(0));
  ASSERT_TRUE(WaitFor("entered 1"));
  ASSERT_TRUE(Xdo::Run("mousedown 1"));
  ASSERT_TRUE(WaitFor("pressed 2"));
  ASSERT_TRUE(WaitUntil([&] { return ShowsImage(IDB_FONT_SIZE_ITEM_HOVER); }));
  ASSERT_TRUE(MoveOverButton(10));
  ASSERT_TRUE(WaitFor("moved 1")) << "a move while pressed brings the hover look back";
  ASSERT_TRUE(Xdo::Run("mouseup 1"));
  ASSERT_TRUE(WaitFor("released 1"));
  std::vector<std::string> entries = log_->entries;
  entries.erase(std::remove(entries.begin(), entries.end(), "moved 1"), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"entered 1", "pressed 2", "click 1", "released 1"}));
  ASSERT_TRUE(Xdo::MoveMouse(100, 100));
  ASSERT_TRUE(WaitFor("exited 0"));
  EXPECT_TRUE(WaitUntil([&] { return ShowsImage(IDB_FONT_SIZE_ITEM); }));
}

TEST_F(ButtonMouseFixture, LeavingADisabledButtonKeepsItDisabled) {
  ASSERT_TRUE(MoveOverButton(0));
  ASSERT_TRUE(WaitFor("entered 1"));
  button_->SetState(CommonButton::Look::kDisabled);
  ASSERT_TRUE(Xdo::MoveMouse(100, 100));
  ASSERT_TRUE(WaitFor("exited 3"));
  EXPECT_EQ(button_->GetState(), CommonButton::Look::kDisabled);
  EXPECT_FALSE(button_->IsEnabled());
  EXPECT_TRUE(WaitUntil([&] { return ShowsImage(IDB_BUTTON_DISABLED); }));
}

}  // namespace

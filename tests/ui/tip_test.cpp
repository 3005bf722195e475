// The saved-file balloon on the widgets' stepped ticks: the two fades and the hold, hovering,
// the one-at-a-time rule, its layout and its lines.
#include <gtest/gtest.h>

#include "base/process_state.h"
#include "dui/widget.h"
#include "tests/dui/test_widget.h"
#include "tests/support/fake_ticks.h"
#include "tests/support/scoped_registry_value.h"
#include "tests/support/wait.h"
#include "ui/tip.h"

namespace {

using testing_support::PumpMessages;
using testing_support::ScopedFakeTicks;
using testing_support::WaitUntil;

class TipTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = true;
    tip_ = Tip::Show(300, 200);
    ASSERT_NE(tip_, nullptr);
    window_ = tip_->GetWidget()->GetHwnd();
    SetCursorPos(1900, 1000);
  }
  void TearDown() override {
    if (IsWindow(window_) && Tip::IsShown())
      tip_->GetWidget()->Close();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window_); }));
    saved_ = false;
    saved_link_ = false;
  }

  void Tick(DWORD ms) {
    clock_.Advance(ms);
    SendMessageW(window_, WM_TIMER, 1, 0);
  }
  int Alpha() const { return tip_->GetWidget()->GetAlpha(); }
  // The cursor is put where the messages say it is, as the tip asks the system for it.
  void MouseOver() {
    SetCursorPos(400, 300);
    SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
  }
  void MouseAway() {
    SetCursorPos(1900, 1000);
    SendMessageW(window_, WM_MOUSELEAVE, 0, 0);
  }

  ScopedFakeTicks clock_{1000};
  Tip* tip_ = nullptr;
  HWND window_ = nullptr;
};

// Fade in on the ease-out curve, hold 500 ms, fade out on one minus the ease-in curve, go.
TEST_F(TipTest, FadesInHoldsFadesOutAndGoes) {
  EXPECT_EQ(Alpha(), 0);
  EXPECT_EQ(Tip::Show(0, 0), nullptr) << "one tip at a time";
  Tick(250);
  EXPECT_EQ(Alpha(), 191) << "(1 - 0.5^2) x 255";
  Tick(250);
  EXPECT_EQ(Alpha(), 255);
  Tick(499);
  EXPECT_EQ(Alpha(), 255) << "holding";
  Tick(1);
  Tick(100);
  EXPECT_EQ(Alpha(), 244) << "(1 - 0.2^2) x 255";
  Tick(400);
  EXPECT_FALSE(Tip::IsShown());
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window_); })) << "the tip's window goes";
}

// The mouse over the tip holds it at full opacity, also in the fade-out; leaving lets the
// hold time go on, and a new fade-out start.
TEST_F(TipTest, HoveringHoldsItAndLeavingResumes) {
  Tick(500);
  MouseOver();
  Tick(5000);
  EXPECT_EQ(Alpha(), 255);
  EXPECT_TRUE(Tip::IsShown());
  MouseAway();
  Tick(500);
  Tick(250);
  EXPECT_EQ(Alpha(), 191) << "fading out";
  MouseOver();
  EXPECT_EQ(Alpha(), 255) << "at once";
  Tick(5000);
  EXPECT_EQ(Alpha(), 255);
  MouseAway();
  Tick(33);
  Tick(250);
  EXPECT_EQ(Alpha(), 191) << "a new fade-out";
  Tick(250);
  EXPECT_FALSE(Tip::IsShown());
}

// The mouse that comes straight onto the close button holds the tip too, shows the hand for
// as long as it is there, and leaving the tip's window from the button lets it go: a tip
// that held for ever would keep the process, and with it the next start, waiting.
TEST_F(TipTest, LeavingFromTheCloseButtonLetsItGo) {
  Tick(500);
  SetCursorPos(300 + 280, 200 + 16);
  SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(280, 16));
  Tick(5000);
  EXPECT_EQ(Alpha(), 255);
  for (int i = 0; i < 3; ++i) {
    SendMessageW(window_, WM_SETCURSOR, reinterpret_cast<WPARAM>(window_), HTCLIENT);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND)) << "no arrow in between";
    SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(281, 16));
  }
  MouseAway();
  Tick(33);
  Tick(500);
  Tick(500);
  EXPECT_FALSE(Tip::IsShown()) << "faded out";
}

TEST_F(TipTest, SavedLayoutShowsTheLinkAndItsFlag) {
  Tick(500);
  ASSERT_TRUE(WaitUntil([&] { return saved_link_; })) << "painted";
  // The link "点击查看" in its yellow, between (160, 53) and (235, 73).
  bool yellow = false;
  for (int y = 53; y < 73 && !yellow; ++y) {
    for (int x = 160; x < 235 && !yellow; ++x)
      yellow = (dui_testing::WidgetBufferPixel(tip_->GetWidget(), x, y) & 0xFFFFFF) == 0xFFCC00;
  }
  EXPECT_TRUE(yellow);
}

TEST(TipLineTest, LastLineNamesTheHotKey) {
  testing_support::ScopedRegistryValue hot_key(HKEY_LOCAL_MACHINE, L"software\\velmora",
                                               L"operation_accelerator_code");
  ASSERT_TRUE(hot_key.Delete());
  EXPECT_EQ(Tip::Line(8), L"截图快捷键：CTRL+ALT+A");
  EXPECT_EQ(Tip::Line(0), L"截图可以打上马赛克哦~");
  const POINT centre = Tip::PositionOnScreen(1920, 1080);
  EXPECT_EQ(centre.x, 832);
  EXPECT_EQ(centre.y, 477);
}

}  // namespace

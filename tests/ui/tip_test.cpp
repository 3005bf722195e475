// The saved-file balloon on the widgets' stepped ticks: the two fades and the hold, hovering,
// the one-at-a-time rule, its layout and its lines.
#include <gtest/gtest.h>

#include "base/session_outcome.h"
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
    outcome_.saved = true;
    tip_ = Tip::Show(300, 200, outcome_);
    ASSERT_NE(tip_, nullptr);
    window_ = tip_->GetWidget()->GetHwnd();
    SetCursorPos(1900, 1000);
  }
  void TearDown() override {
    if (IsWindow(window_) && outcome_.balloon_shown)
      tip_->GetWidget()->Close();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window_); }));
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
  SessionOutcome outcome_;
  Tip* tip_ = nullptr;
  HWND window_ = nullptr;
};

// Fade in on the ease-out curve, hold 500 ms, fade out on one minus the ease-in curve, go.
TEST_F(TipTest, FadesInHoldsFadesOutAndGoes) {
  EXPECT_EQ(Alpha(), 0);
  EXPECT_EQ(Tip::Show(0, 0, outcome_), nullptr) << "one tip at a time";
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
  EXPECT_FALSE(outcome_.balloon_shown);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window_); })) << "the tip's window goes";
}

// The mouse over the tip holds it at full opacity, also in the fade-out; leaving lets the
// hold time go on, and a new fade-out start.
TEST_F(TipTest, HoveringHoldsItAndLeavingResumes) {
  Tick(500);
  MouseOver();
  Tick(5000);
  EXPECT_EQ(Alpha(), 255);
  EXPECT_TRUE(outcome_.balloon_shown);
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
  EXPECT_FALSE(outcome_.balloon_shown);
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
  EXPECT_FALSE(outcome_.balloon_shown) << "faded out";
}

TEST_F(TipTest, SavedLayoutShowsTheLinkAndItsFlag) {
  EXPECT_TRUE(outcome_.saved_link) << "on from the showing, before any paint";
  Tick(500);
  // The link "点击查看" in its yellow, between (160, 53) and (235, 73).
  const auto yellow_in_link_area = [&] {
    for (int y = 53; y < 73; ++y) {
      for (int x = 160; x < 235; ++x) {
        if ((dui_testing::WidgetBufferPixel(tip_->GetWidget(), x, y) & 0xFFFFFF) == 0xFFCC00)
          return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(WaitUntil(yellow_in_link_area)) << "painted";
}

// Only a saved picture has a link; the tip of a copy leaves the flag off, and its going
// tells the outcome.
TEST(TipLinkTest, LinkIsOnOnlyForASavedPicture) {
  const struct {
    bool copied;
    bool saved;
    bool link;
  } cases[] = {{true, false, false}, {false, true, true}, {true, true, true}};
  for (const auto& c : cases) {
    SessionOutcome outcome;
    outcome.copied = c.copied;
    outcome.saved = c.saved;
    Tip* tip = Tip::Show(0, 0, outcome);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(outcome.balloon_shown);
    EXPECT_EQ(outcome.saved_link, c.link) << c.copied << c.saved;
    HWND window = tip->GetWidget()->GetHwnd();
    tip->GetWidget()->Close();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_FALSE(outcome.balloon_shown) << "forgotten with its window";
  }
}

TEST(TipLineTest, LastLineNamesTheHotKey) {
  testing_support::ScopedRegistryValue hot_key(HKEY_LOCAL_MACHINE, L"software\\velmora",
                                               L"operation_accelerator_code");
  ASSERT_TRUE(hot_key.Delete());
  EXPECT_EQ(Tip::Line(8), L"截图快捷键：CTRL+ALT+A");
  EXPECT_EQ(Tip::Line(0), L"截图可以打上马赛克哦~");
  const POINT centre = Tip::PositionOn({0, 0, 1920, 1080});
  EXPECT_EQ(centre.x, 832);
  EXPECT_EQ(centre.y, 477);
  const POINT left_lower = Tip::PositionOn({-1280, 56, 0, 1080});
  EXPECT_EQ(left_lower.x, -1280 + 512);
  EXPECT_EQ(left_lower.y, 56 + 449);
}

}  // namespace

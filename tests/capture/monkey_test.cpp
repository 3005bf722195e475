// A seeded monkey: ten thousand random mouse moves, presses, releases, double clicks, keys
// (Ctrl+Z and Ctrl+Y among them) and clicks on the toolbar and the picker, across every
// state. A session that a copy or a cancel ends is followed by a new one. The selection
// stays normalised and on the screen, nothing leaks, and Esc still ends the last session.
// A failure names its seed and step.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/process_state.h"
#include "capture/session_widget_hooks.h"
#include "dui/common_button.h"
#include "dui/widget.h"
#include "tests/capture/capture_harness.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/wait.h"
#include "tests/support/window_input.h"
#include "ui/color_table_dlg.h"
#include "ui/toolbar.h"

namespace capture_test {
namespace {

// scripts/soak runs longer walks with other seeds through the environment.
unsigned FromEnvironment(const char* name, unsigned fallback) {
  char text[16] = {};
  if (GetEnvironmentVariableA(name, text, sizeof(text)) == 0)
    return fallback;
  return static_cast<unsigned>(strtoul(text, nullptr, 10));
}

const unsigned kSeed = FromEnvironment("PICTOR_MONKEY_SEED", 1208);
const int kSteps = static_cast<int>(FromEnvironment("PICTOR_MONKEY_STEPS", 10000));
// More GDI objects than a process may hold; how many it can still make tells what it holds.
constexpr int kProbeLimit = 70000;

// How many GDI objects the process can make before the system refuses.
int GdiRoom() {
  std::vector<HRGN> made;
  made.reserve(kProbeLimit);
  while (static_cast<int>(made.size()) < kProbeLimit) {
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    if (!region)
      break;
    made.push_back(region);
  }
  for (HRGN region : made)
    DeleteObject(region);
  return static_cast<int>(made.size());
}

class Monkey {
 public:
  Monkey() : random_(kSeed), session_(std::make_unique<CaptureHarness>()) {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
  }

  CaptureHarness& session() { return *session_; }
  int sessions() const { return sessions_; }

  void Step() {
    // In thousandths; the ones that end a session (double click, cancel, copy, right click,
    // Esc) are rare, so that sessions grow long.
    const int kind = Pick(1000);
    const POINT point = SomePoint();
    if (kind < 420) {
      session_->Move(point.x, point.y);
    } else if (kind < 545) {
      session_->Down(point.x, point.y);
    } else if (kind < 670) {
      session_->Up(point.x, point.y);
    } else if (kind < 675) {
      session_->DoubleClick(point.x, point.y);
    } else if (kind < 755) {
      static constexpr int kKeys[] = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, 'A', VK_RETURN};
      session_->Key(kKeys[Pick(6)]);
    } else if (kind < 795) {
      testing_support::ScopedCtrlKey ctrl;
      session_->Key(Pick(2) ? 'Z' : 'Y');
    } else if (kind < 895) {
      ClickToolbar();
    } else if (kind < 995) {
      ClickPicker();
    } else if (kind < 997) {
      session_->RightClick(point.x, point.y);
    } else {
      session_->Key(VK_ESCAPE);
    }
    // A session that ended is followed by a new one.
    if (testing_support::PumpMessages() || !session_->alive()) {
      session_.reset();
      testing_support::PumpMessages();
      testing_support::ClearClipboard();
      session_ = std::make_unique<CaptureHarness>();
      ++sessions_;
    }
  }

 private:
  int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

  // Anywhere on the screen and a little past it, or near the selection's corners and
  // edges, where the handles are.
  POINT SomePoint() {
    const RECT s = session_->window().selection();
    if (!IsRectEmpty(&s) && Pick(3) == 0) {
      const LONG xs[] = {s.left, (s.left + s.right) / 2, s.right};
      const LONG ys[] = {s.top, (s.top + s.bottom) / 2, s.bottom};
      return {xs[Pick(3)] + Pick(9) - 4, ys[Pick(3)] + Pick(9) - 4};
    }
    return {Pick(width_ + 40) - 20, Pick(height_ + 40) - 20};
  }

  // A tool, or now and then copy or cancel; never save, whose dialog would wait for a
  // person.
  void ClickToolbar() {
    Toolbar* toolbar = session_->window().toolbar();
    if (!toolbar || !toolbar->widget() || !IsWindowVisible(toolbar->widget()->GetHwnd()))
      return;
    static constexpr Toolbar::Button kTools[] = {Toolbar::Button::kRectangle,
                                                 Toolbar::Button::kEllipse, Toolbar::Button::kArrow,
                                                 Toolbar::Button::kText, Toolbar::Button::kMosaic};
    const int pick = Pick(50);
    const Toolbar::Button button = pick == 0   ? Toolbar::Button::kCancel
                                   : pick == 1 ? Toolbar::Button::kDone
                                               : kTools[pick % 5];
    const dui::Rectangle bounds = toolbar->button(button)->GetBounds();
    testing_support::ClickClientPoint(toolbar->widget()->GetHwnd(), bounds.x + 1 + Pick(30),
                                      bounds.y + 1 + Pick(30));
  }

  // Anywhere on the picker: sizes, colours, the font-size button.
  void ClickPicker() {
    Toolbar* toolbar = session_->window().toolbar();
    ColorTableDlg* picker = toolbar ? toolbar->GetOpenPicker() : nullptr;
    if (!picker || !picker->GetWidget())
      return;
    testing_support::ClickClientPoint(picker->GetWidget()->GetHwnd(),
                                      Pick(picker->GetBounds().width),
                                      Pick(picker->GetBounds().height));
  }

  std::mt19937 random_;
  std::unique_ptr<CaptureHarness> session_;
  int width_ = 0;
  int height_ = 0;
  int sessions_ = 1;
};

using MonkeyTest = SessionRulesTest;

TEST_F(MonkeyTest, TenThousandRandomStepsKeepTheSessionSound) {
  const int room_before = GdiRoom();
  ASSERT_GT(room_before, 5000) << "the probe cannot tell a leak";
  {
    Monkey monkey;
    for (int step = 0; step < kSteps; ++step) {
      monkey.Step();
      const RECT s = monkey.session().window().selection();
      ASSERT_TRUE(s.left <= s.right && s.top <= s.bottom)
          << "seed " << kSeed << ", step " << step << ": selection not normalised";
      ASSERT_TRUE(s.left >= 0 && s.top >= 0 && s.right <= GetSystemMetrics(SM_CXSCREEN) &&
                  s.bottom <= GetSystemMetrics(SM_CYSCREEN))
          << "seed " << kSeed << ", step " << step << ": selection (" << s.left << ", " << s.top
          << ")-(" << s.right << ", " << s.bottom << ") off the screen in state "
          << static_cast<int>(monkey.session().window().state());
    }
    std::cout << monkey.sessions() << " sessions in " << kSteps << " steps\n";
    monkey.session().Key(VK_ESCAPE);
    EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "Esc ends the last session";
    EXPECT_EQ(exit_code_, 0);
  }
  testing_support::PumpMessages();
  // Handles the session keeps for good (cursors, cached images) are made once; a leak per
  // step would take thousands.
  EXPECT_GT(GdiRoom(), room_before - 500) << "GDI objects leaked";
}

}  // namespace
}  // namespace capture_test

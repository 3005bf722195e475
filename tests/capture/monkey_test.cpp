// A seeded monkey: ten thousand random mouse moves, presses, releases, double clicks, keys
// (Ctrl+Z and Ctrl+Y among them), clicks on the toolbar and the picker, text typed into the
// text box and save dialogs opened (and cancelled) in the middle of whatever goes on, across
// every state. A session that a copy or a cancel ends is followed by a new one. After every
// step the session is one a person can go on with: the selection normalised and on the
// screen, the keyboard with the capture window (or its text box), the toolbar shown on top
// whenever the state has one, no drag without a button held, the window over the whole
// screen, the frame drawn where the selection is. Nothing leaks, and Esc still ends the last
// session. A failure names its seed and step.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/window_stacking.h"
#include "capture/session_widget_hooks.h"
#include "capture/wnd_cap_dlg.h"
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

using State = SelectionState;

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
constexpr COLORREF kFrameColor = RGB(255, 139, 49);

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

// Cancels every save dialog as soon as it shows, as a person who changed their mind would:
// from a timer of this thread, which the dialog's own message loop runs. Counts them.
class ScopedDialogCanceller {
 public:
  ScopedDialogCanceller() : timer_(SetTimer(nullptr, 0, 20, &Cancel)) { cancelled_ = 0; }
  ~ScopedDialogCanceller() { KillTimer(nullptr, timer_); }

  ScopedDialogCanceller(const ScopedDialogCanceller&) = delete;
  ScopedDialogCanceller& operator=(const ScopedDialogCanceller&) = delete;

  int cancelled() const { return cancelled_; }

 private:
  static void CALLBACK Cancel(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(nullptr, L"保存图片");
    if (dialog && IsWindowVisible(dialog)) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      ++cancelled_;
    }
  }

  static inline int cancelled_ = 0;
  UINT_PTR timer_;
};

bool IsDrag(State state) {
  return state == State::kPressed || state == State::kSelecting || state == State::kMovePressed ||
         state == State::kMoving || state == State::kResizePressed || state == State::kResizing;
}

bool HasToolbar(State state) {
  return state != State::kDetecting && state != State::kPressed && state != State::kSelecting &&
         state != State::kResizePressed && state != State::kResizing;
}

class Monkey {
 public:
  explicit Monkey(SessionOutcome& outcome)
      : outcome_(outcome), random_(kSeed), session_(std::make_unique<CaptureHarness>(outcome)) {
    desktop_ = session_->window().desktop();
    width_ = desktop_.width();
    height_ = desktop_.height();
  }

  CaptureHarness& session() { return *session_; }
  int sessions() const { return sessions_; }
  int dialogs() const { return canceller_.cancelled(); }
  // What the last step did.
  const std::string& action() const { return action_; }

  void Step() {
    // In thousandths; the ones that end a session (double click, cancel, copy, right click,
    // Esc) are rare, so that sessions grow long.
    const int kind = Pick(1000);
    const POINT point = SomePoint();
    action_ = "step " + std::to_string(kind) + " at " + std::to_string(point.x) + "," +
              std::to_string(point.y);
    if (kind < 380) {
      session_->Move(point.x, point.y);
    } else if (kind < 495) {
      session_->Down(point.x, point.y);
      button_held_ = true;
    } else if (kind < 610) {
      session_->Up(point.x, point.y);
      button_held_ = false;
    } else if (kind < 615) {
      session_->DoubleClick(point.x, point.y);
      button_held_ = false;
    } else if (kind < 685) {
      static constexpr int kKeys[] = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, 'A', VK_RETURN};
      session_->Key(kKeys[Pick(6)]);
    } else if (kind < 725) {
      testing_support::ScopedCtrlKey ctrl;
      session_->Key(Pick(2) ? 'Z' : 'Y');
    } else if (kind < 825) {
      ClickToolbar();
    } else if (kind < 925) {
      ClickPicker();
    } else if (kind < 992) {
      TypeIntoTheTextBox();
    } else if (kind < 995) {
      OpenAndCancelTheSaveDialog();
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
      // Each session is a new start of the program, with an outcome of its own.
      outcome_ = SessionOutcome();
      session_ = std::make_unique<CaptureHarness>(outcome_);
      button_held_ = false;
      ++sessions_;
    }
  }

  // What makes the session one a person can go on with; empty when it is.
  std::string Trouble() {
    CaptureWindow& window = session_->window();
    const RECT s = window.selection();
    if (s.left > s.right || s.top > s.bottom)
      return "selection not normalised";
    if (s.left < 0 || s.top < 0 || s.right > width_ || s.bottom > height_)
      return "selection off the screen";
    const State state = window.state();
    if ((IsDrag(state) || window.button_down() || GetCapture() == session_->hwnd()) &&
        !button_held_) {
      return "a drag goes on with no button held";
    }
    HWND keyboard = GetFocus();
    if (keyboard != session_->hwnd() && !(window.edit() && keyboard == window.edit()))
      return "the keyboard is not the session's";
    RECT covered = {};
    GetWindowRect(session_->hwnd(), &covered);
    if (!EqualRect(&covered, &desktop_.bounds()))
      return "the capture window does not cover the desktop";
    if (!OnOneMonitor(window.magnifier() ? window.magnifier()->GetWidget() : nullptr))
      return "the magnifier is not on one monitor";
    if (HasToolbar(state)) {
      Toolbar* toolbar = window.toolbar();
      HWND bar = toolbar && toolbar->widget() ? toolbar->widget()->GetHwnd() : nullptr;
      if (!bar || !IsWindowVisible(bar))
        return "no toolbar";
      if (!OnOneMonitor(toolbar->widget()) ||
          !OnOneMonitor(toolbar->GetOpenPicker() ? toolbar->GetOpenPicker()->GetWidget() : nullptr))
        return "the toolbar or its picker is not on one monitor";
      // Wine restacks the windows late, after it handled what the display reported of a
      // change of keyboard focus, and tells no window: the toolbar is on top again a moment
      // later.
      if (!testing_support::WaitUntil([&] { return base::IsAbove(bar, session_->hwnd()); }, 1000))
        return "the toolbar lies under the capture window";
    }
    if (!FrameShowsTheSelection(window))
      return "no frame on the selection's bottom edge";
    return std::string();
  }

 private:
  // Whether a shown pop-up lies wholly on one monitor; a hidden or missing one does.
  bool OnOneMonitor(const dui::Widget* widget) const {
    if (!widget || !IsWindowVisible(widget->GetHwnd()))
      return true;
    RECT rect = {};
    GetWindowRect(widget->GetHwnd(), &rect);
    for (const RECT& monitor : desktop_.monitors()) {
      if (base::DesktopGeometry::Holds(monitor, rect))
        return true;
    }
    return false;
  }

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

  // The highlight lies just outside the bottom edge, the frame of a dragged selection just
  // inside it, a settled one's on it: one of the three rows there shows the frame's colour,
  // a quarter of the way along (clear of the handles), wherever the screen has that row.
  bool FrameShowsTheSelection(const CaptureWindow& window) const {
    const RECT s = window.selection();
    // The size label lies inside a selection at the screen's top and may reach down over
    // the bottom edge of one lower than this.
    if (s.right - s.left < 40 || s.bottom - s.top < 60)
      return true;
    const int x = s.left + (s.right - s.left) / 4;
    bool on_screen = false;
    for (LONG y = s.bottom - 2; y <= s.bottom; ++y) {
      if (y >= height_)
        continue;
      on_screen = true;
      if (session_->FrameAt(x, y) == kFrameColor)
        return true;
    }
    return !on_screen;
  }

  // A tool, or now and then save, copy or cancel.
  void ClickToolbar() {
    Toolbar* toolbar = session_->window().toolbar();
    if (!toolbar || !toolbar->widget() || !IsWindowVisible(toolbar->widget()->GetHwnd()))
      return;
    const int pick = Pick(50);
    const int slot = pick == 0   ? Toolbar::SlotOf(Toolbar::Command::kCancel)
                     : pick == 1 ? Toolbar::SlotOf(Toolbar::Command::kDone)
                     : pick == 2 ? Toolbar::SlotOf(Toolbar::Command::kSave)
                                 : pick % kToolCount;
    const dui::Rectangle bounds = toolbar->button_in_slot(slot)->GetBounds();
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

  // Letters, a line end or a Ctrl key, as they reach the open text box.
  void TypeIntoTheTextBox() {
    HWND edit = session_->window().edit();
    if (!edit)
      return;
    const int pick = Pick(20);
    if (pick == 0) {
      testing_support::ScopedCtrlKey ctrl;
      SendMessageW(edit, WM_KEYDOWN, Pick(2) ? 'Z' : 'Y', 0);
    } else {
      SendMessageW(edit, WM_CHAR, pick == 1 ? L'\r' : static_cast<WPARAM>(L'a' + Pick(26)), 0);
    }
  }

  // Ctrl+S, often with the button held in the middle of a drag; the dialog is cancelled.
  void OpenAndCancelTheSaveDialog() {
    testing_support::ScopedCtrlKey ctrl;
    session_->Key('S');
  }

  SessionOutcome& outcome_;
  std::mt19937 random_;
  std::unique_ptr<CaptureHarness> session_;
  // The desktop the sessions cover; their coordinates start at its top-left corner.
  base::DesktopGeometry desktop_;
  int width_ = 0;
  int height_ = 0;
  int sessions_ = 1;
  ScopedDialogCanceller canceller_;
  bool button_held_ = false;
  std::string action_;
};

using MonkeyTest = SessionRulesTest;

TEST_F(MonkeyTest, TenThousandRandomStepsKeepTheSessionSound) {
  const int room_before = GdiRoom();
  ASSERT_GT(room_before, 5000) << "the probe cannot tell a leak";
  {
    Monkey monkey(outcome_);
    for (int step = 0; step < kSteps; ++step) {
      monkey.Step();
      const std::string trouble = monkey.Trouble();
      ASSERT_TRUE(trouble.empty())
          << "seed " << kSeed << ", step " << step << ": " << trouble << " in state "
          << static_cast<int>(monkey.session().window().state()) << " after " << monkey.action();
    }
    std::cout << monkey.sessions() << " sessions and " << monkey.dialogs() << " dialogs in "
              << kSteps << " steps\n";
    monkey.session().Key(VK_ESCAPE);
    EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "Esc ends the last session";
    EXPECT_EQ(outcome_.exit_code, 0);
  }
  testing_support::PumpMessages();
  // Handles the session keeps for good (cursors, cached images) are made once; a leak per
  // step would take thousands.
  EXPECT_GT(GdiRoom(), room_before - 500) << "GDI objects leaked";
}

}  // namespace
}  // namespace capture_test

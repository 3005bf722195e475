// Mouse routing of the host window, driven by the real mouse through xdotool over widget
// windows of this test process (Xdo::Run pumps this thread's messages while it waits).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dui/widget.h"
#include "dui/widget_hooks.h"
#include "tests/dui/recording_view.h"
#include "tests/dui/test_widget.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using dui::Rectangle;
using dui_testing::RecordingView;
using dui_testing::TestWidget;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr Gdiplus::ARGB kGrey = 0xFF808080;
constexpr Gdiplus::ARGB kRed = 0xFFFF0000;
constexpr Gdiplus::ARGB kBlue = 0xFF0000FF;
// The widget and, in its client coordinates, two views side by side:
//   +--------------------------------+ (300, 300)
//   |   +------+        +------+     |
//   |   |  A   |        |  B   |     |
//   |   +------+        +------+     |
//   +--------------------------------+ (500, 400)
constexpr Rectangle kPlace = {300, 300, 200, 100};
constexpr Rectangle kBoundsA = {20, 20, 60, 60};
constexpr Rectangle kBoundsB = {120, 20, 60, 60};
// Screen points: inside A, inside B, on the content between them, outside the window.
constexpr dui::Point kInA = {350, 350};
constexpr dui::Point kInB = {450, 350};
constexpr dui::Point kOnContent = {405, 310};
constexpr dui::Point kOutside = {100, 100};

bool MoveTo(const dui::Point& p) {
  return Xdo::MoveMouse(p.x, p.y);
}

bool Logged(const std::vector<std::string>& log, const std::string& entry, int times = 1) {
  return std::count(log.begin(), log.end(), entry) >= times;
}

std::vector<std::string> WithoutMoves(const std::vector<std::string>& log) {
  std::vector<std::string> result;
  for (const std::string& entry : log) {
    if (entry.find(" moved") == std::string::npos)
      result.push_back(entry);
  }
  return result;
}

// The widget of the drawing above, shown, with the mouse outside it.
class MouseFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MoveTo(kOutside));
    content_ = new RecordingView("content", &log_, kGrey);
    widget_ = std::make_unique<TestWidget>(kPlace, content_);
    a_ = AddView("A", kBoundsA, kRed);
    b_ = AddView("B", kBoundsB, kBlue);
    ASSERT_TRUE(widget_->ShowAndWaitFor(50, 50, RGB(255, 0, 0)));
    log_.clear();
  }
  void TearDown() override { widget_.reset(); }

  RecordingView* AddView(const std::string& name,
                         const Rectangle& bounds,
                         Gdiplus::ARGB color,
                         dui::View* parent = nullptr) {
    auto* view = new RecordingView(name, &log_, color);
    view->SetBounds(bounds.x, bounds.y, bounds.width, bounds.height);
    (parent ? parent : content_)->AddChildView(view);
    return view;
  }

  // Moves the mouse to `p` and waits until `entry` is in the log.
  void MoveAndWaitFor(const dui::Point& p, const std::string& entry, int times = 1) {
    ASSERT_TRUE(MoveTo(p));
    ASSERT_TRUE(WaitUntil([&] { return Logged(log_, entry, times); }))
        << "waiting for " << entry << "; log: " << testing::PrintToString(log_);
  }

  std::vector<std::string> log_;
  RecordingView* content_ = nullptr;
  RecordingView* a_ = nullptr;
  RecordingView* b_ = nullptr;
  std::unique_ptr<TestWidget> widget_;
};

TEST_F(MouseFixture, EnterMoveAndExitAcrossTwoViewsAndOutOfTheWindow) {
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "A entered"));
  EXPECT_EQ(a_->last_point(), (dui::Point{50, 50})) << "in client coordinates";
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor({kInA.x + 5, kInA.y + 2}, "A moved"));
  EXPECT_EQ(a_->last_point(), (dui::Point{55, 52}));
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInB, "B entered"));
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kOutside, "B exited"));
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "A entered", 2));

  // Leaving the window, the mouse leaves B and the content that holds it.
  EXPECT_EQ(WithoutMoves(log_),
            (std::vector<std::string>{"A entered", "A exited", "B entered", "B exited",
                                      "content exited", "A entered"}));
  // The move from A to B is one message: A hears it left, B that it came, nothing more.
  auto exit_a = std::find(log_.begin(), log_.end(), "A exited");
  ASSERT_NE(exit_a, log_.end());
  ASSERT_NE(exit_a + 1, log_.end());
  EXPECT_EQ(*(exit_a + 1), "B entered");
}

TEST_F(MouseFixture, RemovedHoveredViewOrAncestorHearsNothingMore) {
  for (const bool remove_ancestor : {false, true}) {
    RecordingView* panel = AddView("panel", {0, 0, 100, 100}, 0);
    RecordingView* inner = AddView("inner", kBoundsA, kRed, panel);
    widget_->get()->SchedulePaint();
    ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "inner entered"));
    log_.clear();
    if (remove_ancestor) {
      content_->RemoveChildView(panel);
    } else {
      panel->RemoveChildView(inner);
      content_->RemoveChildView(panel);
    }
    ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInB, "B entered"));
    ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kOutside, "B exited"));
    EXPECT_FALSE(Logged(log_, "inner exited")) << testing::PrintToString(log_);
    EXPECT_FALSE(Logged(log_, "panel exited")) << testing::PrintToString(log_);
    log_.clear();
  }
}

TEST_F(MouseFixture, DisabledMouseTellsTheHoveredViewOnceAndThenNothing) {
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "A entered"));
  widget_->get()->DisableMouse();
  EXPECT_EQ(log_.back(), "A exited");

  // A second widget under the pointer afterwards: its notification comes after anything
  // the first window would have made of the moves before it.
  std::vector<std::string> other_log;
  TestWidget other({600, 300, 100, 100}, new RecordingView("other", &other_log, kRed));
  ASSERT_TRUE(other.ShowAndWaitFor(50, 50, RGB(255, 0, 0)));
  log_.clear();
  ASSERT_TRUE(MoveTo(kInB));
  ASSERT_TRUE(Xdo::Click(kInB.x, kInB.y));
  ASSERT_TRUE(MoveTo({650, 350}));
  ASSERT_TRUE(WaitUntil([&] { return Logged(other_log, "other entered"); }));
  EXPECT_TRUE(log_.empty()) << testing::PrintToString(log_);
}

TEST_F(MouseFixture, PressAndReleaseGoToTheViewUnderTheCursor) {
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "A entered"));
  ASSERT_TRUE(Xdo::Run("mousedown 1"));
  ASSERT_TRUE(WaitUntil([&] { return Logged(log_, "A pressed"); }));
  // The mouse is not captured: the release lands on B, which entered meanwhile.
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInB, "B entered"));
  ASSERT_TRUE(Xdo::Run("mouseup 1"));
  ASSERT_TRUE(WaitUntil([&] { return Logged(log_, "B released"); }));
  EXPECT_FALSE(Logged(log_, "A released"));
}

// A leave that the window system reports while the mouse is still there (a window shown
// near it, for one) must not cost the press that follows: the view hears of the mouse and
// then of the press and the release.
TEST_F(MouseFixture, APressAfterAnEarlyLeaveIsNotLost) {
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "A entered"));
  log_.clear();
  SendMessageW(widget_->hwnd(), WM_MOUSELEAVE, 0, 0);
  SendMessageW(widget_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
  SendMessageW(widget_->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(WithoutMoves(log_), (std::vector<std::string>{"A exited", "content exited",
                                                          "A entered", "A pressed", "A released"}));
}

TEST_F(MouseFixture, HandCursorViewsSetTheHandCursor) {
  b_->SetHandCursor(true);
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInB, "B entered"));
  EXPECT_TRUE(WaitUntil([&] { return GetCursor() == hand; }));
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "A entered"));
  EXPECT_TRUE(WaitUntil([&] { return GetCursor() != hand; }));
}

TEST_F(MouseFixture, ContentBetweenTheViewsIsHoveredItself) {
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kOnContent, "content entered"));
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInB, "B entered"));
  EXPECT_EQ(WithoutMoves(log_),
            (std::vector<std::string>{"content entered", "content exited", "B entered"}));
}

// Records what the framework hands to the host program's hooks, into the views' log.
class RecordingHooks : public dui::WidgetHooks {
 public:
  explicit RecordingHooks(std::vector<std::string>* log) : log_(log) {}
  void OnMouseMessage(UINT message, const dui::Point& point) override {
    const char* kind = message == WM_MOUSEMOVE ? "move" : message == WM_LBUTTONDOWN ? "down" : "up";
    log_->push_back(std::string("hook ") + kind + " " + std::to_string(point.x) + "," +
                    std::to_string(point.y));
  }
  bool OnSetCursor(const dui::Point& /*point*/) override { return false; }
  void OnWidgetDestroyed() override { log_->push_back("hook destroyed"); }

 private:
  std::vector<std::string>* log_;
};

// The hooks hear of every mouse message in client coordinates before the views do.
TEST_F(MouseFixture, HostHooksHearTheMouseBeforeTheViews) {
  RecordingHooks hooks(&log_);
  dui::Widget::SetHooks(&hooks);
  ASSERT_NO_FATAL_FAILURE(MoveAndWaitFor(kInA, "A entered"));
  ASSERT_TRUE(Xdo::Run("click 1"));
  ASSERT_TRUE(WaitUntil([&] { return Logged(log_, "A released"); }));
  dui::Widget::SetHooks(nullptr);
  const auto first_hook = std::find(log_.begin(), log_.end(), "hook move 50,50");
  ASSERT_NE(first_hook, log_.end());
  EXPECT_LT(first_hook - log_.begin(),
            std::find(log_.begin(), log_.end(), "A entered") - log_.begin());
  EXPECT_TRUE(Logged(log_, "hook down 50,50"));
  EXPECT_TRUE(Logged(log_, "hook up 50,50"));
}

}  // namespace

// Mouse routing of the host window, driven by the real mouse through xdotool over widget
// windows of this test process (Xdo::Run pumps this thread's messages while it waits).
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/process_state.h"
#include "dui/widget.h"
#include "tests/dui/recording_view.h"
#include "tests/dui/test_widget.h"
#include "tests/support/test_paths.h"
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
  MoveAndWaitFor(kInA, "A entered");
  EXPECT_EQ(a_->last_point(), (dui::Point{50, 50})) << "in client coordinates";
  MoveAndWaitFor({kInA.x + 5, kInA.y + 2}, "A moved");
  EXPECT_EQ(a_->last_point(), (dui::Point{55, 52}));
  MoveAndWaitFor(kInB, "B entered");
  MoveAndWaitFor(kOutside, "B exited");
  MoveAndWaitFor(kInA, "A entered", 2);

  EXPECT_EQ(WithoutMoves(log_), (std::vector<std::string>{"A entered", "A exited", "B entered",
                                                          "B exited", "A entered"}));
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
    MoveAndWaitFor(kInA, "inner entered");
    log_.clear();
    if (remove_ancestor) {
      content_->RemoveChildView(panel);
    } else {
      panel->RemoveChildView(inner);
      content_->RemoveChildView(panel);
    }
    MoveAndWaitFor(kInB, "B entered");
    MoveAndWaitFor(kOutside, "B exited");
    EXPECT_FALSE(Logged(log_, "inner exited")) << testing::PrintToString(log_);
    EXPECT_FALSE(Logged(log_, "panel exited")) << testing::PrintToString(log_);
    log_.clear();
  }
}

TEST_F(MouseFixture, DisabledMouseTellsTheHoveredViewOnceAndThenNothing) {
  MoveAndWaitFor(kInA, "A entered");
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
  MoveAndWaitFor(kInA, "A entered");
  ASSERT_TRUE(Xdo::Run("mousedown 1"));
  ASSERT_TRUE(WaitUntil([&] { return Logged(log_, "A pressed"); }));
  // The mouse is not captured: the release lands on B, which entered meanwhile.
  MoveAndWaitFor(kInB, "B entered");
  ASSERT_TRUE(Xdo::Run("mouseup 1"));
  ASSERT_TRUE(WaitUntil([&] { return Logged(log_, "B released"); }));
  EXPECT_FALSE(Logged(log_, "A released"));
}

TEST_F(MouseFixture, HandCursorViewsSetTheHandCursor) {
  b_->SetHandCursor(true);
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  MoveAndWaitFor(kInB, "B entered");
  EXPECT_TRUE(WaitUntil([&] { return GetCursor() == hand; }));
  MoveAndWaitFor(kInA, "A entered");
  EXPECT_TRUE(WaitUntil([&] { return GetCursor() != hand; }));
}

TEST_F(MouseFixture, ContentBetweenTheViewsIsHoveredItself) {
  MoveAndWaitFor(kOnContent, "content entered");
  MoveAndWaitFor(kInB, "B entered");
  EXPECT_EQ(WithoutMoves(log_),
            (std::vector<std::string>{"content entered", "content exited", "B entered"}));
}

// The ids of the running processes named explorer.exe.
std::set<DWORD> ExplorerProcesses() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return ids;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"explorer.exe") == 0)
      ids.insert(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

// The balloon's link area (160, 53)-(235, 73) of a pop-up while the saved-file link is up.
TEST(SavedFileLinkTest, LinkAreaShowsTheHandAndOpensTheFolderOfTheSavedFile) {
  ASSERT_TRUE(MoveTo(kOutside));
  testing_support::ScopedTempFolder folder;
  saved_path_ = folder.path() + L"shot.png";
  std::ofstream(saved_path_.c_str()) << "picture";
  std::vector<std::string> log;
  TestWidget widget({300, 300, 298, 138}, new RecordingView("balloon", &log, kGrey));
  ASSERT_TRUE(widget.ShowAndWaitFor(5, 5, RGB(0x80, 0x80, 0x80)));
  saved_link_ = true;
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);

  ASSERT_TRUE(MoveTo({300 + 170, 300 + 60}));
  EXPECT_TRUE(WaitUntil([&] { return GetCursor() == hand; }));
  // Xdo pumps this thread's messages while it waits and would swallow the quit message,
  // so the presses are sent to the window directly, with the real mouse over the link.
  auto press = [&](int x, int y) {
    SendMessageW(widget.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(widget.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return testing_support::PumpMessages();
  };
  EXPECT_FALSE(press(100, 100)) << "a click elsewhere on the pop-up is no link";
  EXPECT_TRUE(Logged(log, "balloon pressed"));

  const std::set<DWORD> before = ExplorerProcesses();
  EXPECT_TRUE(press(170, 60)) << "the loop is told to end";
  DWORD opened = 0;
  EXPECT_TRUE(WaitUntil([&] {
    for (DWORD id : ExplorerProcesses()) {
      if (!before.count(id))
        opened = id;
    }
    return opened != 0;
  })) << "the file manager was started";
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, opened)) {
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  saved_link_ = false;
  saved_path_.clear();
}

}  // namespace

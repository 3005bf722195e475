// The host window with real windows under Wine: paint coalescing, presentation, timers,
// commands, keys and the end of a widget. Mouse routing is in widget_mouse_test.cpp.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dui/root_view.h"
#include "dui/widget.h"
#include "dui/widget_hooks.h"
#include "tests/dui/recording_view.h"
#include "tests/dui/test_widget.h"
#include "resources/resource_ids.h"
#include "tests/support/assert_recorder.h"
#include "tests/support/fake_ticks.h"
#include "tests/support/wait.h"

namespace {

using dui::Rectangle;
using dui::Widget;
using dui_testing::RecordingView;
using dui_testing::TestWidget;
using testing_support::ScopedFakeTicks;
using testing_support::WaitUntil;

constexpr Gdiplus::ARGB kOpaqueRed = 0xFFFF0000;
constexpr Rectangle kPlace = {300, 200, 200, 100};

// Takes the pending paint requests of `hwnd` out of the queue; returns how many there were
// and dispatches the last one.
int TakePaintRequests(HWND hwnd) {
  int count = 0;
  MSG message;
  MSG last = {};
  while (PeekMessageW(&message, hwnd, dui::kPaintRequestMessage, dui::kPaintRequestMessage,
                      PM_REMOVE)) {
    last = message;
    ++count;
  }
  if (count)
    DispatchMessageW(&last);
  return count;
}

bool HasPending(HWND hwnd, UINT message_id) {
  MSG message;
  return PeekMessageW(&message, hwnd, message_id, message_id, PM_NOREMOVE);
}

// Records the elapsed times it is given and runs an action on each tick.
class TickRecorder : public Widget::TimerObserver {
 public:
  void OnTimer(int elapsed_ms) override {
    ticks.push_back(elapsed_ms);
    if (on_tick)
      on_tick();
  }
  std::vector<int> ticks;
  std::function<void()> on_tick;
};

TEST(WidgetTest, ThreeRequestsPostOneAndRepaintTheirBoundingBox) {
  std::vector<std::string> log;
  auto* content = new RecordingView("content", &log, kOpaqueRed);
  TestWidget widget(kPlace, content);
  testing_support::PumpMessages();

  widget->SchedulePaintInRect({10, 10, 10, 10});
  widget->SchedulePaintInRect({50, 20, 5, 5});
  content->SchedulePaintInRect({30, 60, 10, 10});
  EXPECT_EQ(TakePaintRequests(widget.hwnd()), 1);

  EXPECT_EQ(content->paint_count(), 1);
  EXPECT_EQ(content->last_paint_clip(), (Rectangle{10, 10, 45, 60}));
  EXPECT_EQ(widget.BufferPixel(10, 10), kOpaqueRed);
  EXPECT_EQ(widget.BufferPixel(54, 69), kOpaqueRed);
  EXPECT_EQ(widget.BufferPixel(55, 40), 0u) << "right of the box";
  EXPECT_EQ(widget.BufferPixel(30, 70), 0u) << "below the box";

  // The request was handled, so the next change asks again.
  widget->SchedulePaintInRect({0, 0, 1, 1});
  EXPECT_EQ(TakePaintRequests(widget.hwnd()), 1);
}

TEST(WidgetTest, RequestOutsideTheRootPostsNothing) {
  TestWidget widget(kPlace, new dui::View);
  testing_support::PumpMessages();
  widget->SchedulePaintInRect({200, 0, 10, 10});
  widget->SchedulePaintInRect({0, 100, 10, 10});
  widget->SchedulePaintInRect({-20, 0, 20, 10});
  widget->SchedulePaintInRect({5, 5, 0, 0});
  EXPECT_FALSE(HasPending(widget.hwnd(), dui::kPaintRequestMessage));
}

TEST(WidgetTest, RepaintClearsTheDirtyAreaToTransparentFirst) {
  std::vector<std::string> log;
  auto* content = new dui::View;
  auto* square = new RecordingView("square", &log, kOpaqueRed);
  square->SetBounds(20, 20, 30, 30);
  TestWidget widget(kPlace, content);
  content->AddChildView(square);
  widget->SchedulePaint();
  TakePaintRequests(widget.hwnd());
  ASSERT_EQ(widget.BufferPixel(25, 25), kOpaqueRed);

  square->SetVisible(false);
  content->SchedulePaintInRect({20, 20, 10, 30});
  TakePaintRequests(widget.hwnd());
  EXPECT_EQ(widget.BufferPixel(25, 25), 0u) << "cleared to ARGB 0";
  EXPECT_EQ(widget.BufferPixel(35, 25), kOpaqueRed) << "outside the dirty area";
}

TEST(WidgetTest, PresentedPixelsCarryTheWidgetAlpha) {
  TestWidget widget(kPlace, new RecordingView("content", nullptr, kOpaqueRed));
  ASSERT_TRUE(widget.ShowAndWaitFor(50, 50, RGB(255, 0, 0)));
  widget->SetAlpha(128);
  widget->SchedulePaint();
  // Under Xvfb a constant alpha scales the premultiplied colour over black.
  EXPECT_TRUE(widget.WaitForScreenColor(50, 50, RGB(128, 0, 0)))
      << std::hex << TestWidget::ScreenPixel(kPlace.x + 50, kPlace.y + 50);
}

TEST(WidgetTest, TimerStartsWithTheFirstObserverAndStopsWithTheLast) {
  ScopedFakeTicks clock(1000);
  TestWidget widget(kPlace, new dui::View);
  TickRecorder first;
  TickRecorder second;
  widget->AddTimerObserver(&first);
  widget->AddTimerObserver(&first);  // one registration only
  widget->AddTimerObserver(&second);
  ScopedFakeTicks::now() = 1042;
  ASSERT_TRUE(WaitUntil([&] { return second.ticks.size() >= 2; }));
  EXPECT_EQ(second.ticks[0], 42) << "the first tick reports the time since registration";
  EXPECT_EQ(second.ticks[1], 0);
  EXPECT_EQ(first.ticks, second.ticks);

  widget->RemoveTimerObserver(&first);
  widget->RemoveTimerObserver(&first);
  widget->RemoveTimerObserver(&second);
  EXPECT_FALSE(KillTimer(widget.hwnd(), 1)) << "no timer runs without observers";

  // Starting again begins a new count from the new registration.
  ScopedFakeTicks::now() = 5000;
  widget->AddTimerObserver(&second);
  ScopedFakeTicks::now() = 5007;
  const size_t before = second.ticks.size();
  ASSERT_TRUE(WaitUntil([&] { return second.ticks.size() > before; }));
  EXPECT_EQ(second.ticks[before], 7);
  widget->RemoveTimerObserver(&second);
}

TEST(WidgetTest, ObserversMayAddAndRemoveObserversWhileBeingTicked) {
  ScopedFakeTicks clock(0);
  TestWidget widget(kPlace, new dui::View);
  TickRecorder leaving;
  TickRecorder removed;
  TickRecorder joining;
  leaving.on_tick = [&] {
    widget->RemoveTimerObserver(&leaving);
    widget->RemoveTimerObserver(&removed);
    widget->AddTimerObserver(&joining);
  };
  widget->AddTimerObserver(&leaving);
  widget->AddTimerObserver(&removed);
  ASSERT_TRUE(WaitUntil([&] { return joining.ticks.size() >= 2; }));
  EXPECT_EQ(leaving.ticks.size(), 1u);
  EXPECT_TRUE(removed.ticks.empty()) << "removed during the round, so not called in it";
  widget->RemoveTimerObserver(&joining);
}

TEST(WidgetTest, SystemCloseIsSwallowedWhileTheMouseIsDisabled) {
  TestWidget widget(kPlace, new RecordingView("content", nullptr, kOpaqueRed));
  ASSERT_TRUE(widget.ShowAndWaitFor(50, 50, RGB(255, 0, 0)));
  widget->DisableMouse();
  SendMessageW(widget.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindowVisible(widget.hwnd()));
  EXPECT_FALSE(HasPending(widget.hwnd(), dui::kDestroyRequestMessage));

  TestWidget other(kPlace, new dui::View);
  other->Show(true);
  SendMessageW(other.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(other.hwnd())) << "closing hides at once";
  EXPECT_TRUE(other.WaitUntilGone());
}

TEST(WidgetTest, WindowObserversSeeSystemCommandsAndMoves) {
  struct Observer : Widget::WindowObserver {
    bool OnSysCommand(int command) override {
      commands.push_back(command);
      return handles;
    }
    void OnWindowMoved(int x, int y, int width, int height) override {
      moves.push_back({x, y, width, height});
    }
    bool handles = true;
    std::vector<int> commands;
    std::vector<Rectangle> moves;
  } observer;
  TestWidget widget(kPlace, new dui::View);
  widget->Show(true);
  widget->AddWindowObserver(&observer);
  SendMessageW(widget.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(observer.commands, (std::vector<int>{SC_CLOSE}));
  EXPECT_TRUE(IsWindowVisible(widget.hwnd())) << "the observer handled it";

  SetWindowPos(widget.hwnd(), nullptr, 0, 0, 150, 90, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(observer.moves.empty()) << "a resize alone is no move";
  SetWindowPos(widget.hwnd(), nullptr, 320, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_FALSE(observer.moves.empty());
  EXPECT_EQ(observer.moves.back().x, 320);
  EXPECT_EQ(observer.moves.back().y, 210);
  widget->RemoveWindowObserver(&observer);
}

TEST(WidgetTest, KeysCommandsAndTheContentNotificationReachTheViews) {
  std::vector<std::string> log;
  auto* content = new RecordingView("content", &log);
  TestWidget widget(kPlace, content);
  auto* child = new RecordingView("child", &log);
  content->AddChildView(child);
  HWND hwnd = widget.hwnd();

  SendMessageW(hwnd, WM_KEYDOWN, VK_LEFT, 0);
  SendMessageW(hwnd, WM_COMMAND, 1234, 56);
  SendMessageW(hwnd, dui::kContentNotificationMessage, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"content key 37", "content command 1234 56",
                                           "child command 1234 56", "content app message"}));

  log.clear();
  SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
  SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
  testing_support::PumpMessages();
  EXPECT_TRUE(log.empty()) << "Enter and Esc do nothing";
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST(WidgetTest, DraggableViewsAnswerTheHitTestWithTheCaption) {
  auto* content = new dui::View;
  TestWidget widget(kPlace, content);
  auto* handle = new dui::View;
  handle->SetBounds(0, 0, 50, 20);
  handle->SetDraggable(true);
  content->AddChildView(handle);
  auto hit_test = [&](int x, int y) {
    return SendMessageW(widget.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(kPlace.x + x, kPlace.y + y));
  };
  EXPECT_EQ(hit_test(10, 10), HTCAPTION);
  EXPECT_EQ(hit_test(60, 10), HTCLIENT);
  handle->SetEnabled(false);
  EXPECT_EQ(hit_test(10, 10), HTCLIENT);
}

TEST(WidgetTest, ContentViewIsReplacedAndTheTreeKnowsItsWidget) {
  std::vector<std::string> log;
  auto* first = new RecordingView("first", &log);
  TestWidget widget(kPlace, first);
  EXPECT_EQ(widget->GetContentsView(), first);
  EXPECT_EQ(first->GetWidget(), widget.get());
  EXPECT_EQ(widget->GetRootView()->GetBounds(), (Rectangle{0, 0, 200, 100}));

  widget->SetContentsView(nullptr);
  EXPECT_EQ(widget->GetContentsView(), first);
  auto* second = new RecordingView("second", &log);
  widget->SetContentsView(second);
  EXPECT_EQ(log, (std::vector<std::string>{"first removed", "first deleted"}));
  EXPECT_EQ(widget->GetContentsView(), second);

  second->SetBounds(40, 30, 10, 10);
  EXPECT_EQ(second->GetScreenBounds(), (Rectangle{kPlace.x + 40, kPlace.y + 30, 10, 10}));
  EXPECT_EQ(widget->GetWindowBounds(), kPlace);
}

TEST(WidgetTest, SecondInitAndShowWithoutWindowAreReported) {
  testing_support::ScopedAssertRecorder asserts;
  auto* widget = new Widget();
  widget->Show(true);
  widget->Init(nullptr);
  widget->Init(nullptr);
  ASSERT_EQ(asserts.failures().size(), 2u);
  EXPECT_EQ(asserts.failures()[0].condition, "host_ != NULL");
  EXPECT_EQ(asserts.failures()[1].condition, "host_ == NULL");
  EXPECT_EQ(asserts.failures()[1].module, "widget");
  HWND hwnd = widget->GetHwnd();
  widget->SetQuitOnClose(false);
  widget->Close();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }));
}

// Counts the widgets whose deletion the framework reports to the host program.
class DestructionCounter : public dui::WidgetHooks {
 public:
  void OnMouseMessage(UINT /*message*/, const dui::Point& /*point*/) override {}
  bool OnSetCursor(const dui::Point& /*point*/) override { return false; }
  void OnWidgetDestroyed() override { ++destroyed; }
  int destroyed = 0;
};

// A widget that goes tells the host's hooks once; it ends the loop itself only when told to.
TEST(WidgetTest, DestroyedWidgetTellsTheHooksAndQuitsOnlyWhenAsked) {
  DestructionCounter hooks;
  Widget::SetHooks(&hooks);
  for (const bool quit_on_close : {false, true}) {
    auto* widget = new Widget();
    widget->Init(nullptr);
    widget->SetQuitOnClose(quit_on_close);
    HWND hwnd = widget->GetHwnd();
    widget->Close();
    // The destroy request is in the queue already; whatever its handling posts is seen by
    // the same pump.
    EXPECT_EQ(testing_support::PumpMessages(), quit_on_close);
    EXPECT_FALSE(IsWindow(hwnd));
  }
  Widget::SetHooks(nullptr);
  EXPECT_EQ(hooks.destroyed, 2);
}

TEST(WidgetTest, WindowGetsBothSizesOfItsIcon) {
  auto* widget = new Widget();
  widget->SetIconId(IDI_PICTOR);
  widget->Init(nullptr);
  widget->SetQuitOnClose(false);
  HWND hwnd = widget->GetHwnd();
  const struct {
    WPARAM kind;
    int size_metric;
  } icons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
  for (const auto& icon : icons) {
    auto handle = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, icon.kind, 0));
    ASSERT_NE(handle, nullptr) << icon.kind;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(icon.size_metric)) << icon.kind;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  widget->Close();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }));
}

TEST(WidgetTest, WidgetDiesWithTheWindowThatOwnsIt) {
  std::vector<std::string> log;
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(owner);
  TestWidget widget(kPlace, new RecordingView("content", &log), owner);
  EXPECT_EQ(GetWindow(widget.hwnd(), GW_OWNER), owner);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(widget.hwnd()));
  EXPECT_EQ(log, (std::vector<std::string>{"content deleted"}));
}

}  // namespace

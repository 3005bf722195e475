#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "base/session_outcome.h"
#include "capture/capture_window.h"
#include "capture/session_widget_hooks.h"
#include "tests/support/screen_grab.h"

namespace capture_test {

// A capture session inside the test process: a real capture window over the whole screen,
// whose frozen picture is replaced by a known pattern, driven by real window messages.
class CaptureHarness {
 public:
  // A session that records its outcome in a value of its own.
  CaptureHarness();
  // A session that records its outcome in `outcome`, which must outlive it; the picture is
  // neither copied nor saved yet.
  explicit CaptureHarness(SessionOutcome& outcome);
  ~CaptureHarness();

  CaptureWindow& window() { return *window_; }
  SessionOutcome& outcome() { return outcome_; }
  HWND hwnd() const { return hwnd_; }
  bool alive() const { return IsWindow(hwnd_) != FALSE; }

  void Move(int x, int y);
  void Down(int x, int y);
  void Up(int x, int y);
  void Click(int x, int y);
  // Button down at `from`, two moves, button up at `to`.
  void Drag(POINT from, POINT to);
  void Key(int virtual_key);
  void RightClick(int x, int y);
  void DoubleClick(int x, int y);

  // The colour of the known pattern at (x, y), as a GDI colour value.
  static COLORREF PatternAt(int x, int y);
  // The colour of the last composed frame at (x, y).
  COLORREF FrameAt(int x, int y) const;
  // The colour of the frozen picture at (x, y).
  COLORREF PictureAt(int x, int y) const;
  // `area` of the whole frame as the compositor composes it for the session as it is, the
  // straightforward way and away from the window and its back buffer.
  testing_support::ScreenGrab WholeFrame(const RECT& area);

 private:
  void PaintPattern();
  void Send(UINT message, WPARAM wparam, int x, int y);

  SessionOutcome own_outcome_;
  SessionOutcome& outcome_;
  std::unique_ptr<CaptureWindow> window_;
  HWND hwnd_ = nullptr;
};

// A visible top-level window of the test process, to be found by window detection.
class TestWindow {
 public:
  TestWindow(int x, int y, int width, int height);
  ~TestWindow();

  HWND hwnd() const { return hwnd_; }
  RECT rect() const;
  // Adds a push button at (x, y) in client coordinates.
  HWND AddButton(int x, int y, int width, int height);

 private:
  HWND hwnd_ = nullptr;
};

// Tests of sessions that end as the program's do: with the session's rules for pop-ups (a
// copy or a save ends the session), an empty clipboard and the pointer parked in a corner.
// Sessions made with `outcome_` are the ones the rules follow.
class SessionRulesTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  SessionOutcome outcome_;
  SessionWidgetHooks hooks_{outcome_};
};

}  // namespace capture_test

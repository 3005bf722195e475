// A frame that the compositor composes only where it changed holds the very pixels of its
// whole composition, and the window shows it: after every step of a session through all
// states, label placements and shape kinds, the frame is compared with the whole frame
// composed the straightforward way apart from the window, and with the window's pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/scoped_get_dc.h"
#include "dui/common_button.h"
#include "dui/widget.h"
#include "tests/capture/capture_harness.h"
#include "tests/support/screen_grab.h"
#include "tests/support/window_input.h"
#include "ui/toolbar.h"

namespace {

using capture_test::CaptureHarness;
using capture_test::TestWindow;
using testing_support::ScreenGrab;

struct Step {
  const char* name;
  std::function<void(CaptureHarness&)> run;
};

void ChooseTool(CaptureHarness& h, Tool tool) {
  const dui::Rectangle bounds = h.window().toolbar()->button(tool)->GetBounds();
  testing_support::ClickClientPoint(h.window().toolbar()->widget()->GetHwnd(), bounds.x + 12,
                                    bounds.y + 12);
}

// A colour as 0xRRGGBB, the order in which people read and pick colours.
std::string Hex(COLORREF color) {
  char text[9];
  std::snprintf(text, sizeof(text), "0x%02X%02X%02X", GetRValue(color), GetGValue(color),
                GetBValue(color));
  return text;
}

// What `a` and `b` show, except within `ignored`.
testing::AssertionResult SameScreens(const ScreenGrab& a,
                                     const ScreenGrab& b,
                                     const char* a_name,
                                     const char* b_name,
                                     const RECT& ignored = {}) {
  RECT differing = {a.width(), a.height(), 0, 0};
  POINT first = {};
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.Pixel(x, y) == b.Pixel(x, y) || PtInRect(&ignored, {x, y}))
        continue;
      // Named by the first pixel that differs: the corner of the area need not differ.
      if (count++ == 0)
        first = {x, y};
      differing = {std::min<LONG>(differing.left, x), std::min<LONG>(differing.top, y),
                   std::max<LONG>(differing.right, x + 1), std::max<LONG>(differing.bottom, y + 1)};
    }
  }
  if (count == 0)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << count << " pixels differ within (" << differing.left << ", " << differing.top << ")-("
         << differing.right << ", " << differing.bottom << "); the first at (" << first.x << ", "
         << first.y << ") " << a_name << " " << Hex(a.Pixel(first.x, first.y)) << ", " << b_name
         << " " << Hex(b.Pixel(first.x, first.y));
}

// Where the edit box lies on the capture window; empty without one.
RECT EditBoxArea(CaptureHarness& harness) {
  RECT box = {};
  if (harness.window().edit() && GetWindowRect(harness.window().edit(), &box))
    MapWindowPoints(nullptr, harness.hwnd(), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

TEST(OverlayIdentityTest, EveryFrameShowsTheWholeCompositionsPixels) {
  TestWindow window(300, 250, 500, 300);
  CaptureHarness harness;
  const Step steps[] = {
      {"highlight", [](CaptureHarness& h) { h.Move(400, 300); }},
      {"no window under the mouse", [](CaptureHarness& h) { h.Move(1500, 100); }},
      // The first move of a drag paints the press; the second the drag.
      {"dragging out",
       [](CaptureHarness& h) {
         h.Down(100, 100);
         h.Move(500, 400);
         h.Move(900, 700);
       }},
      {"dragging back in", [](CaptureHarness& h) { h.Move(400, 300); }},
      {"selected", [](CaptureHarness& h) { h.Up(1000, 800); }},
      {"moving",
       [](CaptureHarness& h) {
         h.Drag({500, 400}, {700, 500});
       }},
      {"resizing",
       [](CaptureHarness& h) {
         h.Drag({1200, 900}, {1100, 1000});
       }},
      {"label under the top edge",
       [](CaptureHarness& h) {
         h.Drag({50, 0}, {400, 200});
       }},
      {"label left of the selection",
       [](CaptureHarness& h) {
         h.Click(1500, 100);
         h.Drag({1780, 300}, {1919, 500});
       }},
      {"label out of the toolbar's way",
       [](CaptureHarness& h) {
         h.Click(100, 100);
         h.Drag({100, 820}, {700, 1075});
       }},
      {"rectangle",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kRectangle);
         h.Drag({150, 850}, {300, 950});
       }},
      {"ellipse",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kEllipse);
         h.Drag({320, 850}, {450, 950});
       }},
      {"arrow",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kArrow);
         h.Drag({470, 850}, {650, 1000});
       }},
      // Drawn out and back: the frame puts back what the longer arrow covered.
      {"arrow being drawn",
       [](CaptureHarness& h) {
         h.Down(470, 1000);
         h.Move(690, 1070);
         h.Move(520, 1010);
       }},
      {"arrow kept", [](CaptureHarness& h) { h.Up(520, 1010); }},
      {"mosaic over the shapes",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kMosaic);
         h.Drag({200, 900}, {600, 950});
       }},
      // Drawn over kept mosaic discs: the frame paints only this stroke over the kept shapes.
      {"mosaic being drawn",
       [](CaptureHarness& h) {
         h.Down(250, 880);
         h.Move(400, 930);
         h.Move(550, 960);
         // Across the selection's corner, where blocks lie half outside it, under the
         // handles.
         h.Move(695, 1068);
       }},
      {"mosaic kept", [](CaptureHarness& h) { h.Up(695, 1068); }},
      {"pen",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kPen);
         h.Drag({150, 1000}, {300, 1050});
       }},
      // A marker darkens what lies beneath, the kept shapes and the mosaic too.
      {"highlighter over the shapes",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kHighlighter);
         h.Drag({150, 900}, {650, 900});
       }},
      {"highlighter drawn out and back",
       [](CaptureHarness& h) {
         h.Down(600, 870);
         h.Move(200, 880);
         h.Move(500, 885);
       }},
      {"highlighter kept", [](CaptureHarness& h) { h.Up(500, 885); }},
      {"steps",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kStep);
         h.Click(160, 1060);
         h.Click(230, 1060);
       }},
      {"redaction box",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kRedact);
         h.Drag({400, 1030}, {480, 1070});
       }},
      {"text being typed",
       [](CaptureHarness& h) {
         ChooseTool(h, Tool::kText);
         h.Click(200, 1000);
         for (wchar_t c : std::wstring(L"identical"))
           SendMessageW(h.window().edit(), WM_CHAR, c, 0);
       }},
      {"text kept", [](CaptureHarness& h) { h.Click(600, 1040); }},
      {"undo", [](CaptureHarness& h) { h.window().OnUndo(); }},
  };
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // The window's own pixels, without the pop-ups over it but with its edit box.
  auto window_pixels = [&] {
    base::ScopedGetDc dc(harness.hwnd());
    return ScreenGrab(dc.get(), 0, 0, width, height);
  };
  for (const Step& step : steps) {
    step.run(harness);
    // The compositor's frame, composed where it changed, is its whole composition...
    const ScreenGrab frame(harness.window().mem_dc(), 0, 0, width, height);
    const ScreenGrab whole = harness.WholeFrame({0, 0, width, height});
    EXPECT_TRUE(SameScreens(frame, whole, "composed", "whole")) << step.name;
    // ... and the window shows it, but for the edit box on it.
    EXPECT_TRUE(SameScreens(window_pixels(), frame, "shown", "composed", EditBoxArea(harness)))
        << step.name;
  }
}

}  // namespace

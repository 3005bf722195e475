// The composed frame of the capture window, read back from its back buffer.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "drawing/drawing.h"
#include "toolset/tool_table.h"
#include "drawing/mosaic_canvas.h"
#include "tests/capture/capture_harness.h"
#include "tests/support/dimming.h"
#include "tests/support/screen_grab.h"

namespace {

using capture_test::CaptureHarness;
using capture_test::TestWindow;
using testing_support::IsDimmed;
using testing_support::ScreenGrab;
using State = SelectionState;

constexpr COLORREF kFrameColor = 0x00318BFF;

std::string Describe(COLORREF color) {
  char text[32];
  snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color));
  return text;
}

// Checks every tenth pixel of `area` against the rule, skipping a band of `margin`
// pixels around `exclude` (the frame, the handles and the label live there).
template <typename Rule>
void CheckArea(const CaptureHarness& harness,
               const RECT& area,
               const RECT& exclude,
               int margin,
               Rule rule,
               const char* what) {
  RECT keep_out = exclude;
  InflateRect(&keep_out, margin, margin);
  int checked = 0;
  for (int y = area.top; y < area.bottom; y += 10) {
    for (int x = area.left; x < area.right; x += 10) {
      const POINT point = {x, y};
      if (PtInRect(&keep_out, point) != rule.inside)
        continue;
      ++checked;
      const COLORREF frame = harness.FrameAt(x, y);
      const COLORREF picture = harness.PictureAt(x, y);
      ASSERT_TRUE(rule(frame, picture)) << what << " at (" << x << ", " << y << "): frame "
                                        << Describe(frame) << ", picture " << Describe(picture);
    }
  }
  EXPECT_GT(checked, 100) << what;
}

struct Dimmed {
  bool inside;
  bool operator()(COLORREF frame, COLORREF picture) const { return IsDimmed(frame, picture); }
};

struct Undimmed {
  bool inside;
  bool operator()(COLORREF frame, COLORREF picture) const { return frame == picture; }
};

TEST(OverlayTest, OutsideIsDimmedAndInsideShowsThePicture) {
  CaptureHarness harness;
  harness.Drag({500, 300}, {900, 700});
  const RECT selection = {500, 300, 900, 700};
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // Outside: everything but a band around the selection and the label above it.
  RECT label_zone = selection;
  label_zone.top -= 60;
  CheckArea(harness, screen, label_zone, 10, Dimmed{false}, "outside");
  RECT inner = selection;
  InflateRect(&inner, -10, -10);
  CheckArea(harness, inner, inner, 0, Undimmed{true}, "inside");
}

TEST(OverlayTest, DimmingFollowsTheAlphaForEveryChannelValue) {
  CaptureHarness harness;
  harness.Move(5, 5);
  // The pattern runs through every value of each channel along the first rows.
  int checked = 0;
  for (int x = 0; x < 1800; x += 3) {
    const COLORREF picture = harness.PictureAt(x, 1000);
    const COLORREF frame = harness.FrameAt(x, 1000);
    ASSERT_TRUE(IsDimmed(frame, picture))
        << "at x " << x << ": " << Describe(frame) << " from " << Describe(picture);
    ++checked;
  }
  EXPECT_EQ(checked, 600);
}

TEST(OverlayTest, HighlightFrameLiesOnePixelOutsideTheWindow) {
  TestWindow window(300, 200, 400, 300);
  CaptureHarness harness;
  harness.Move(400, 300);
  const RECT r = window.rect();
  const int middle_y = (r.top + r.bottom) / 2;
  const int middle_x = (r.left + r.right) / 2;
  EXPECT_EQ(harness.FrameAt(r.left - 1, middle_y), kFrameColor);
  EXPECT_EQ(harness.FrameAt(r.right, middle_y), kFrameColor);
  EXPECT_EQ(harness.FrameAt(middle_x, r.top - 1), kFrameColor);
  EXPECT_EQ(harness.FrameAt(middle_x, r.bottom), kFrameColor);
  EXPECT_EQ(harness.FrameAt(r.left, middle_y), harness.PictureAt(r.left, middle_y));
  EXPECT_TRUE(
      IsDimmed(harness.FrameAt(r.left - 2, middle_y), harness.PictureAt(r.left - 2, middle_y)));
}

TEST(OverlayTest, DraggedSelectionIsFramedInsideItsEdge) {
  CaptureHarness harness;
  harness.Move(400, 300);
  harness.Down(400, 300);
  // The drag look from the first move on.
  harness.Move(800, 700);
  ASSERT_EQ(harness.window().state(), State::kSelecting);
  // (400, 300)-(800, 700); sample between the handles.
  EXPECT_EQ(harness.FrameAt(400, 400), kFrameColor);
  EXPECT_EQ(harness.FrameAt(799, 400), kFrameColor);
  EXPECT_EQ(harness.FrameAt(500, 300), kFrameColor);
  EXPECT_EQ(harness.FrameAt(500, 699), kFrameColor);
  EXPECT_TRUE(IsDimmed(harness.FrameAt(399, 400), harness.PictureAt(399, 400)));
  EXPECT_EQ(harness.FrameAt(401, 400), harness.PictureAt(401, 400));
}

TEST(OverlayTest, SettledSelectionHasATwoPixelFrameOnItsEdge) {
  CaptureHarness harness;
  harness.Drag({400, 300}, {800, 700});
  ASSERT_EQ(harness.window().state(), State::kSelected);
  int left_frame_pixels = 0;
  for (int x = 396; x <= 404; ++x)
    left_frame_pixels += harness.FrameAt(x, 400) == kFrameColor;
  EXPECT_EQ(left_frame_pixels, 2);
  EXPECT_EQ(harness.FrameAt(400, 400), kFrameColor);
  EXPECT_EQ(harness.FrameAt(500, 300), kFrameColor);
  EXPECT_EQ(harness.FrameAt(405, 400), harness.PictureAt(405, 400));
  EXPECT_TRUE(IsDimmed(harness.FrameAt(395, 400), harness.PictureAt(395, 400)));
}

TEST(OverlayTest, HandlesAreDrawnAtTheirHitRectangles) {
  CaptureHarness harness;
  harness.Drag({400, 300}, {800, 700});
  // The settled handle picture is opaque where it has its colour; each handle covers its
  // hit rectangle's top-left corner, where the selection alone would show the picture.
  for (int handle = 0; handle < kHandleCount; ++handle) {
    const RECT& hit = harness.window().model().handle_rect(static_cast<Handle>(handle));
    const int x = hit.left + 2;
    const int y = hit.top + 2;
    EXPECT_NE(harness.FrameAt(x, y), harness.PictureAt(x, y)) << "handle " << handle;
    EXPECT_FALSE(IsDimmed(harness.FrameAt(x, y), harness.PictureAt(x, y))) << "handle " << handle;
  }
}

TEST(OverlayTest, SizeLabelAppearsAboveASelectionButNotWhileDetecting) {
  TestWindow window(600, 400, 300, 200);
  CaptureHarness harness;
  harness.Move(700, 500);
  // While detecting, above the highlight the picture is only dimmed.
  for (int x = 600; x < 700; x += 5) {
    EXPECT_TRUE(IsDimmed(harness.FrameAt(x, 380), harness.PictureAt(x, 380))) << x;
  }
  harness.Down(700, 500);
  harness.Up(700, 500);
  ASSERT_EQ(harness.window().state(), State::kSelected);
  int changed = 0;
  for (int x = 600; x < 700; x += 5)
    changed += !IsDimmed(harness.FrameAt(x, 380), harness.PictureAt(x, 380));
  EXPECT_GT(changed, 10) << "the label covers the area above the selection";
}

// The average of the frozen picture's 10 x 10 block that holds (x, y).
COLORREF PictureBlockAverage(int x, int y) {
  const int left = x / 10 * 10;
  const int top = y / 10 * 10;
  int red = 0;
  int green = 0;
  int blue = 0;
  for (int by = top; by < top + 10; ++by) {
    for (int bx = left; bx < left + 10; ++bx) {
      const COLORREF pixel = CaptureHarness::PatternAt(bx, by);
      red += GetRValue(pixel);
      green += GetGValue(pixel);
      blue += GetBValue(pixel);
    }
  }
  return RGB(red / 100, green / 100, blue / 100);
}

// The composed frame's pixels in `area`.
ScreenGrab FrameIn(CaptureHarness& harness, const RECT& area) {
  return ScreenGrab(harness.window().mem_dc(), area.left, area.top, area.right - area.left,
                    area.bottom - area.top);
}

// The frame holds what a whole composition of it holds, within `area`.
testing::AssertionResult FrameIsTheWholeComposition(CaptureHarness& harness, const RECT& area) {
  const ScreenGrab shown = FrameIn(harness, area);
  const ScreenGrab whole = harness.WholeFrame(area);
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.Pixel(x, y) != whole.Pixel(x, y)) {
        return testing::AssertionFailure() << "the frame differs from the whole composition at "
                                           << area.left + x << ", " << area.top + y;
      }
    }
  }
  return testing::AssertionSuccess();
}

// Every mosaic fails to paint, as without memory, while it lives.
struct FailingMosaics {
  FailingMosaics() { MosaicCanvas::FailReadsForTesting(true); }
  ~FailingMosaics() { MosaicCanvas::FailReadsForTesting(false); }
};

// Without memory for a mosaic's work picture a frame would show what the mosaic hides: the
// selection shows blank instead, frame after frame, until the mosaic can be painted.
TEST(OverlayTest, SelectionWhoseMosaicCannotBePaintedShowsBlankUntilItCan) {
  const RECT selection = {400, 300, 800, 700};
  CaptureHarness harness;
  harness.Drag({selection.left, selection.top}, {selection.right, selection.bottom});
  const auto nudge = [&] {
    harness.window().OnArrowKey(VK_RIGHT);
    harness.window().OnArrowKey(VK_LEFT);
  };
  // Within the frame, the handles and the label.
  const RECT inner = {selection.left + 20, selection.top + 20, selection.right - 20,
                      selection.bottom - 20};
  const auto expect_blank = [&](const char* when) {
    const ScreenGrab frame = FrameIn(harness, inner);
    std::set<COLORREF> colours;
    for (int y = 0; y < frame.height(); y += 3) {
      for (int x = 0; x < frame.width(); x += 3) {
        colours.insert(frame.Pixel(x, y));
        ASSERT_NE(frame.Pixel(x, y), harness.PictureAt(inner.left + x, inner.top + y))
            << when << " at " << inner.left + x << ", " << inner.top + y;
      }
    }
    EXPECT_EQ(colours.size(), 1u) << when;
  };
  std::unique_ptr<Drawing> mosaic = CreateDrawing(Tool::kMosaic);
  mosaic->mosaicSize = 20;
  mosaic->AddPoint({450, 500});
  mosaic->AddPoint({750, 520});
  {
    const FailingMosaics failing;
    harness.window().AddShapeForTesting(std::move(mosaic));
    nudge();
    expect_blank("the first frame");
    nudge();
    expect_blank("a frame after it");
  }

  nudge();
  EXPECT_EQ(harness.FrameAt(600, 510), PictureBlockAverage(600, 510)) << "the mosaic";
  EXPECT_EQ(harness.FrameAt(600, 400), harness.PictureAt(600, 400)) << "the picture beside it";
  EXPECT_TRUE(FrameIsTheWholeComposition(harness, selection));
}

}  // namespace

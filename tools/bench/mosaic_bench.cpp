// Measures what one repaint of a single mosaic stroke costs: the stroke's Draw inside a
// painting pass over a 1920 x 1080 frame, as the capture window repaints on every mouse
// move. The stroke scrubs back and forth over the selection as a user hiding a few lines of
// text would, a point every 3 pixels. Run by hand; prints milliseconds per repaint.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "drawing/k_mosac.h"
#include "drawing/paint_shapes.h"
#include "tests/drawing/memory_canvas.h"

namespace {

constexpr int kFrameWidth = 1920;
constexpr int kFrameHeight = 1080;
constexpr RECT kSelection = {200, 150, 1720, 930};
constexpr int kRadius = 20;
constexpr int kPointSpacing = 3;
constexpr int kSweepLength = 900;
constexpr int kSweepDrop = 12;
constexpr int kRepaints = 7;

// Back and forth over kSweepLength pixels, a little lower on every sweep.
std::vector<POINT> ScrubbingDrag(int count) {
  std::vector<POINT> points;
  const int per_sweep = kSweepLength / kPointSpacing;
  for (int i = 0; i < count; ++i) {
    const int sweep = i / per_sweep;
    const int along = (i % per_sweep) * kPointSpacing;
    const int x = sweep % 2 == 0 ? along : kSweepLength - along;
    const int y = (sweep * kSweepDrop) % (kSelection.bottom - kSelection.top - 2 * kRadius);
    points.push_back({kSelection.left + 300 + x, kSelection.top + kRadius + y});
  }
  return points;
}

// A picture with detail in every block, like a screen of text and images.
void PaintPicture(HDC dc) {
  drawing_testing::MemoryCanvas picture(kFrameWidth, kFrameHeight, RGB(0, 0, 0));
  for (int y = 0; y < kFrameHeight; ++y) {
    for (int x = 0; x < kFrameWidth; ++x)
      picture.SetPixelColor(x, y, ((x * 37 + y * 11) ^ (x * y)) & 0xFFFFFF);
  }
  BitBlt(dc, 0, 0, kFrameWidth, kFrameHeight, picture.dc(), 0, 0, SRCCOPY);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// The median time of kRepaints repaints of `stroke`, each on a fresh copy of the picture.
double RepaintMilliseconds(HDC original, HDC frame, KMosac& stroke) {
  std::vector<double> times;
  for (int i = 0; i < kRepaints; ++i) {
    BitBlt(frame, 0, 0, kFrameWidth, kFrameHeight, original, 0, 0, SRCCOPY);
    GdiFlush();
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    PaintShapes(frame, kSelection, {&stroke});
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  // Bitmaps compatible with the screen, as the capture window makes them.
  base::ScopedGetDc screen(nullptr);
  base::ScopedCreateDc original_dc(CreateCompatibleDC(screen.get()));
  base::ScopedCreateDc frame_dc(CreateCompatibleDC(screen.get()));
  base::ScopedBitmap original_bmp(CreateCompatibleBitmap(screen.get(), kFrameWidth, kFrameHeight));
  base::ScopedBitmap frame_bmp(CreateCompatibleBitmap(screen.get(), kFrameWidth, kFrameHeight));
  if (!original_dc || !frame_dc || !original_bmp || !frame_bmp) {
    std::printf("could not make the frame bitmaps\n");
    return 1;
  }
  base::ScopedSelectObject select_original(original_dc.get(), original_bmp.get());
  base::ScopedSelectObject select_frame(frame_dc.get(), frame_bmp.get());
  PaintPicture(original_dc.get());
  std::printf("frame %d x %d at %d bits per pixel, radius %d, a point every %d pixels\n",
              kFrameWidth, kFrameHeight, GetDeviceCaps(frame_dc.get(), BITSPIXEL), kRadius,
              kPointSpacing);

  for (int count : {100, 1000, 5000}) {
    KMosac stroke;
    stroke.mosaicSize = kRadius;
    stroke.points = ScrubbingDrag(count);
    const double milliseconds = RepaintMilliseconds(original_dc.get(), frame_dc.get(), stroke);
    std::printf("%5d points: %9.2f ms per repaint, %6.1f us per point\n", count, milliseconds,
                1000.0 * milliseconds / count);
  }
  // The mouse held still: every point after the first has nothing left to paint.
  KMosac still;
  still.mosaicSize = kRadius;
  still.points.assign(5000, POINT{960, 540});
  const double milliseconds = RepaintMilliseconds(original_dc.get(), frame_dc.get(), still);
  std::printf("5000 equal points: %9.2f ms per repaint\n", milliseconds);
  return 0;
}

#include "drawing/k_mosac.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "base/assert.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"
#include "drawing/mosaic_region.h"

namespace {

// The grid step and the size of one block, in pixels.
constexpr int kBlockSize = 10;
constexpr int kWorkBitsPerPixel = 24;
constexpr int kWorkBytesPerPixel = kWorkBitsPerPixel / 8;

// Rounds down to a multiple of the block size, also left of and above the origin.
int FloorToGrid(int value) {
  const int remainder = value % kBlockSize;
  return value - (remainder < 0 ? remainder + kBlockSize : remainder);
}

// A top-down 24-bit DIB section and its pixels.
struct WorkBitmap {
  base::ScopedBitmap bitmap;
  const uint8_t* bits = nullptr;
  int stride = 0;
};

WorkBitmap CreateWorkBitmap(HDC dc, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kWorkBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WorkBitmap work;
  work.bitmap.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  work.bits = static_cast<const uint8_t*>(bits);
  // DIB rows are padded to whole 32-bit words.
  work.stride = (width * kWorkBytesPerPixel + 3) & ~3;
  return work;
}

// The integer average of the block whose top-left pixel is (x, y) in the work bitmap.
COLORREF BlockAverage(const WorkBitmap& work, int x, int y) {
  int red = 0;
  int green = 0;
  int blue = 0;
  int count = 0;
  for (int row = y; row < y + kBlockSize; ++row) {
    const uint8_t* pixel = work.bits + row * work.stride + x * kWorkBytesPerPixel;
    for (int column = 0; column < kBlockSize; ++column, pixel += kWorkBytesPerPixel) {
      blue += pixel[0];
      green += pixel[1];
      red += pixel[2];
      ++count;
    }
  }
  return RGB(red / count, green / count, blue / count);
}

// Replaces the copied grid area by its blocks. The work bitmap is read with the grid area's
// corner at (0, 0) but written with the disc square's corner at (0, 0), the frame in which it
// is copied back. The square's corner lies 0 to 9 pixels right of and below the area's, and
// blocks go row by row, left to right, so no block overwrites pixels a later block reads.
void PaintBlocks(HDC work_dc, const WorkBitmap& work, const RECT& area, const RECT& square) {
  for (int y = area.top; y < area.bottom; y += kBlockSize) {
    for (int x = area.left; x < area.right; x += kBlockSize) {
      base::ScopedBrush brush(CreateSolidBrush(BlockAverage(work, x - area.left, y - area.top)));
      const RECT block = {x - square.left, y - square.top, x - square.left + kBlockSize,
                          y - square.top + kBlockSize};
      FillRect(work_dc, &block, brush.get());
    }
  }
}

int64_t FloorSquareRoot(int64_t value) {
  auto root = static_cast<int64_t>(std::sqrt(static_cast<double>(value)));
  while (root * root > value)
    --root;
  while ((root + 1) * (root + 1) <= value)
    ++root;
  return root;
}

// The pixels of the square (x - r, y - r)-(x + r, y + r) whose centres lie in the circle of
// diameter 2r around the square's centre, one rectangle per row. GDI's own round regions
// come out a pixel smaller on the right and at the bottom, which would shift the disc by
// half a pixel and leave out pixels of the blocks at its lower left.
base::ScopedRegion CreateDiscRegion(POINT center, int radius) {
  std::vector<unsigned char> buffer(sizeof(RGNDATAHEADER) + 2 * radius * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  auto* rows = reinterpret_cast<RECT*>(data->Buffer);
  DWORD count = 0;
  // In half pixels, so that pixel centres are integers: a pixel (x, y) belongs to the disc
  // when (2x + 1 - 2cx)^2 + (2y + 1 - 2cy)^2 <= (2r)^2.
  const int64_t diameter_squared = 4 * static_cast<int64_t>(radius) * radius;
  for (int y = center.y - radius; y < center.y + radius; ++y) {
    const int64_t dy = 2 * (static_cast<int64_t>(y) - center.y) + 1;
    // The columns x with |2 (x - cx) + 1| <= span, symmetric about the centre line; every
    // row has some, since dy^2 <= (2r - 1)^2.
    const int64_t span = FloorSquareRoot(diameter_squared - dy * dy);
    const int right_offset = static_cast<int>((span - 1) / 2);
    rows[count++] = {center.x - 1 - right_offset, y, center.x + right_offset + 1, y + 1};
  }
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = count;
  data->rdh.nRgnSize = count * sizeof(RECT);
  data->rdh.rcBound = {center.x - radius, center.y - radius, center.x + radius, center.y + radius};
  return base::ScopedRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

}  // namespace

void KMosac::Draw(HDC dc) {
  PICTOR_ASSERT(mosaicRegion != NULL, "k_mosac");
  if (!mosaicRegion || mosaicSize <= 0)
    return;
  for (const POINT& point : points) {
    if (DrawDisc(dc, point) == DiscResult::kOutOfResources)
      return;
  }
}

KMosac::DiscResult KMosac::DrawDisc(HDC dc, POINT center) {
  const int radius = mosaicSize;
  const int diameter = 2 * radius;
  const RECT square = {center.x - radius, center.y - radius, center.x + radius, center.y + radius};
  // The part of the disc that no earlier disc of this pass has painted. A disc with nothing
  // left to paint costs no bitmap.
  base::ScopedRegion disc = CreateDiscRegion(center, radius);
  const int left_to_paint = CombineRgn(disc.get(), disc.get(), mosaicRegion, RGN_AND);
  if (left_to_paint == ERROR)
    return DiscResult::kOutOfResources;
  if (left_to_paint == NULLREGION)
    return DiscResult::kDone;

  // Right and bottom are rounded down and then extended by a block, so the area always
  // reaches past the square, by a whole block when they lie on the grid.
  const RECT area = {FloorToGrid(square.left), FloorToGrid(square.top),
                     FloorToGrid(square.right) + kBlockSize,
                     FloorToGrid(square.bottom) + kBlockSize};
  base::ScopedCreateDc work_dc(CreateCompatibleDC(dc));
  WorkBitmap work = CreateWorkBitmap(dc, area.right - area.left, area.bottom - area.top);
  // The clip to put back: dc's own clip region, or clipRect when it has none.
  base::ScopedRegion saved_clip(CreateRectRgnIndirect(&clipRect));
  if (!work_dc || !work.bitmap || !saved_clip)
    return DiscResult::kOutOfResources;
  CombineRgn(mosaicRegion, mosaicRegion, disc.get(), RGN_DIFF);
  {
    base::ScopedSelectObject select_bitmap(work_dc.get(), work.bitmap.get());
    BitBlt(work_dc.get(), 0, 0, area.right - area.left, area.bottom - area.top, dc, area.left,
           area.top, SRCCOPY);
    GdiFlush();
    PaintBlocks(work_dc.get(), work, area, square);

    GetClipRgn(dc, saved_clip.get());
    SelectClipRgn(dc, disc.get());
    BitBlt(dc, square.left, square.top, diameter, diameter, work_dc.get(), 0, 0, SRCCOPY);
    SelectClipRgn(dc, saved_clip.get());
  }
  return DiscResult::kDone;
}

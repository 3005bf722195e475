#include "drawing/mosaic_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/scoped_select_object.h"

namespace {

constexpr int kBytesPerPixel = 3;

// Rounds down to a multiple of the block size, also left of and above the origin.
int FloorToGrid(int value) {
  const int remainder = value % MosaicCanvas::kBlockSize;
  return value - (remainder < 0 ? remainder + MosaicCanvas::kBlockSize : remainder);
}

int64_t FloorSquareRoot(int64_t value) {
  auto root = static_cast<int64_t>(std::sqrt(static_cast<double>(value)));
  while (root * root > value)
    --root;
  while ((root + 1) * (root + 1) <= value)
    ++root;
  return root;
}

// How far row `row` (0 at the top) of a disc of `radius` reaches left and right of the
// centre: the pixels whose centres lie in the circle of diameter 2r around the disc's
// centre, (x - cx) from -1 - offset to offset. In half pixels, so that pixel centres are
// integers: a pixel belongs to the disc when (2x + 1 - 2cx)^2 + (2y + 1 - 2cy)^2 <= (2r)^2.
// GDI's own round regions come out a pixel smaller on the right and at the bottom, which
// would shift the disc by half a pixel.
int RowOffset(int row, int radius) {
  const int64_t diameter_squared = 4 * static_cast<int64_t>(radius) * radius;
  const int64_t dy = 2 * (static_cast<int64_t>(row) - radius) + 1;
  // Every row has some pixels, since dy^2 <= (2r - 1)^2.
  const int64_t span = FloorSquareRoot(diameter_squared - dy * dy);
  return static_cast<int>((span - 1) / 2);
}

}  // namespace

MosaicCanvas::MosaicCanvas(int radius) : radius_(radius) {
  for (int row = 0; row < 2 * radius; ++row)
    row_offsets_.push_back(RowOffset(row, radius));
}

RECT MosaicCanvas::GridArea(POINT center, int radius) {
  return {FloorToGrid(center.x - radius), FloorToGrid(center.y - radius),
          FloorToGrid(center.x + radius) + kBlockSize, FloorToGrid(center.y + radius) + kBlockSize};
}

namespace {
bool g_fail_reads = false;
}  // namespace

void MosaicCanvas::FailReadsForTesting(bool fail) {
  g_fail_reads = fail;
}

bool MosaicCanvas::Read(HDC dc, const RECT& area, HRGN remaining) {
  if (g_fail_reads)
    return false;
  area_ = area;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 8 * kBytesPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_.reset(CreateCompatibleDC(dc));
  bitmap_.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const size_t pixels = static_cast<size_t>(width) * height;
  if (!dc_ || !bitmap_ || pixels == 0)
    return false;
  bits_ = static_cast<uint8_t*>(bits);
  // DIB rows are padded to whole 32-bit words.
  stride_ = (width * kBytesPerPixel + 3) & ~3;
  {
    base::ScopedSelectObject select(dc_.get(), bitmap_.get());
    BitBlt(dc_.get(), 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    GdiFlush();
  }
  left_to_paint_.assign(pixels, 0);
  painted_.assign(pixels, 0);
  const DWORD size = GetRegionData(remaining, 0, nullptr);
  std::vector<uint8_t> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (size == 0 || GetRegionData(remaining, size, data) != size)
    return false;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    RECT part = {};
    if (!IntersectRect(&part, &rects[i], &area))
      continue;
    for (int y = part.top; y < part.bottom; ++y)
      std::fill_n(left_to_paint_.begin() + IndexOf(part.left, y), part.right - part.left, 1);
  }
  return true;
}

size_t MosaicCanvas::IndexOf(int x, int y) const {
  return static_cast<size_t>(y - area_.top) * (area_.right - area_.left) + (x - area_.left);
}

uint8_t* MosaicCanvas::PixelAt(int x, int y) const {
  return bits_ + static_cast<size_t>(y - area_.top) * stride_ + (x - area_.left) * kBytesPerPixel;
}

// The integer average of the block whose top-left pixel is (block_x, block_y).
COLORREF MosaicCanvas::BlockAverage(int block_x, int block_y) const {
  int red = 0;
  int green = 0;
  int blue = 0;
  for (int y = block_y; y < block_y + kBlockSize; ++y) {
    const uint8_t* pixel = PixelAt(block_x, y);
    for (int x = 0; x < kBlockSize; ++x, pixel += kBytesPerPixel) {
      blue += pixel[0];
      green += pixel[1];
      red += pixel[2];
    }
  }
  constexpr int kCount = kBlockSize * kBlockSize;
  return RGB(red / kCount, green / kCount, blue / kCount);
}

void MosaicCanvas::FindRunsLeftToPaint(POINT center) {
  std::vector<Run>& runs = runs_;
  runs.clear();
  const int width = area_.right - area_.left;
  for (int y = std::max<int>(center.y - radius_, area_.top);
       y < std::min<int>(center.y + radius_, area_.bottom); ++y) {
    const int offset = row_offsets_[y - (center.y - radius_)];
    const int left = std::max<int>(center.x - 1 - offset, area_.left) - area_.left;
    const int right = std::min<int>(center.x + offset + 1, area_.right) - area_.left;
    if (left >= right)
      continue;
    // Most of a stroke's discs lie over pixels painted already: the rows are searched for
    // what is left with memchr.
    const uint8_t* row = left_to_paint_.data() + static_cast<size_t>(y - area_.top) * width;
    const uint8_t* end = row + right;
    for (const uint8_t* at = row + left; at < end;) {
      const auto* start = static_cast<const uint8_t*>(memchr(at, 1, end - at));
      if (!start)
        break;
      const auto* stop = static_cast<const uint8_t*>(memchr(start, 0, end - start));
      at = stop ? stop : end;
      runs.push_back(
          {y, area_.left + static_cast<int>(start - row), area_.left + static_cast<int>(at - row)});
    }
  }
}

void MosaicCanvas::PaintDisc(POINT center) {
  FindRunsLeftToPaint(center);
  const std::vector<Run>& runs = runs_;
  if (runs.empty())
    return;
  // Every block this disc paints in takes its average before any of its pixels change.
  const RECT grid = GridArea(center, radius_);
  const int columns = (grid.right - grid.left) / kBlockSize;
  const int rows = (grid.bottom - grid.top) / kBlockSize;
  std::vector<COLORREF>& averages = averages_;
  averages.assign(static_cast<size_t>(columns) * rows, CLR_INVALID);
  auto block_of = [&](int x, int y) {
    return static_cast<size_t>((y - grid.top) / kBlockSize) * columns +
           (x - grid.left) / kBlockSize;
  };
  for (const Run& run : runs) {
    for (int x = FloorToGrid(run.left); x < run.right; x += kBlockSize) {
      COLORREF& average = averages[block_of(x, run.y)];
      if (average == CLR_INVALID)
        average = BlockAverage(x, FloorToGrid(run.y));
    }
  }
  for (const Run& run : runs) {
    for (int x = run.left; x < run.right; ++x) {
      const COLORREF average = averages[block_of(x, run.y)];
      uint8_t* pixel = PixelAt(x, run.y);
      pixel[0] = GetBValue(average);
      pixel[1] = GetGValue(average);
      pixel[2] = GetRValue(average);
      left_to_paint_[IndexOf(x, run.y)] = 0;
      painted_[IndexOf(x, run.y)] = 1;
    }
  }
  painted_any_ = true;
}

base::ScopedRegion MosaicCanvas::PaintedRegion() const {
  std::vector<RECT> rects;
  for (int y = area_.top; y < area_.bottom; ++y) {
    const uint8_t* row = painted_.data() + IndexOf(area_.left, y);
    for (int x = 0; x < area_.right - area_.left;) {
      if (!row[x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < area_.right - area_.left && row[x])
        ++x;
      rects.push_back({area_.left + start, y, area_.left + x, y + 1});
    }
  }
  std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data->Buffer));
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  data->rdh.rcBound = area_;
  return base::ScopedRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

void MosaicCanvas::WriteBack(HDC dc, HRGN remaining) {
  if (!painted_any_)
    return;
  const base::ScopedRegion painted = PaintedRegion();
  if (!painted)
    return;
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, painted.get(), RGN_AND);
  {
    base::ScopedSelectObject select(dc_.get(), bitmap_.get());
    BitBlt(dc, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_.get(),
           0, 0, SRCCOPY);
  }
  RestoreDC(dc, saved);
  CombineRgn(remaining, remaining, painted.get(), RGN_DIFF);
}

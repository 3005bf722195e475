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

// Integers [first, last]; empty when first > last.
struct Interval {
  int64_t first;
  int64_t last;
};

// Far enough for any row of any screen, near enough that sums of it cannot overflow.
constexpr int64_t kUnbounded = int64_t{1} << 40;

int64_t FloorDivide(int64_t value, int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// (start + k * step) / divisor rounded down, for k = 0, 1, 2, ... (divisor > 0): divided
// once, then stepped by additions. A stroke asks for these on every row of every piece on
// every repaint.
class SteppedQuotient {
 public:
  SteppedQuotient(int64_t start, int64_t step, int64_t divisor)
      : divisor_(divisor),
        quotient_(FloorDivide(start, divisor)),
        remainder_(start - quotient_ * divisor),
        step_quotient_(FloorDivide(step, divisor)),
        step_remainder_(step - step_quotient_ * divisor) {}

  int64_t value() const { return quotient_; }

  void Next() {
    quotient_ += step_quotient_;
    remainder_ += step_remainder_;
    if (remainder_ >= divisor_) {
      remainder_ -= divisor_;
      ++quotient_;
    }
  }

 private:
  int64_t divisor_;
  int64_t quotient_;
  int64_t remainder_;
  int64_t step_quotient_;
  int64_t step_remainder_;
};

// The pixels x that meet low <= slope * x + offset <= high, row after row, where the offset
// changes by `offset_step` from one row to the next: an interval on each row.
class RowCondition {
 public:
  RowCondition(int64_t slope, int64_t offset, int64_t offset_step, int64_t low, int64_t high)
      : RowCondition(slope < 0 ? -1 : 1, slope, offset, offset_step, low, high) {}

  // The pixels of the current row.
  Interval row() const {
    if (slope_ == 0)
      return low_ <= offset_ && offset_ <= high_ ? Interval{-kUnbounded, kUnbounded}
                                                 : Interval{1, 0};
    return {-below_.value(), above_.value()};
  }

  void Next() {
    offset_ += offset_step_;
    below_.Next();
    above_.Next();
  }

 private:
  // The condition times `sign`, so that its slope is not negative; a slope of 0 makes the
  // condition one on the row alone, and its quotients go unused.
  RowCondition(int64_t sign,
               int64_t slope,
               int64_t offset,
               int64_t offset_step,
               int64_t low,
               int64_t high)
      : slope_(sign * slope),
        offset_(sign * offset),
        offset_step_(sign * offset_step),
        low_(sign < 0 ? -high : low),
        high_(sign < 0 ? -low : high),
        below_(offset_ - low_, offset_step_, std::max<int64_t>(slope_, 1)),
        above_(high_ - offset_, -offset_step_, std::max<int64_t>(slope_, 1)) {}

  int64_t slope_;
  int64_t offset_;
  int64_t offset_step_;
  int64_t low_;
  int64_t high_;
  // (offset - low) / slope and (high - offset) / slope, rounded down.
  SteppedQuotient below_;
  SteppedQuotient above_;
};

}  // namespace

// The pixels whose centres lie within the radius of the segment from `from` to `to`: the
// discs around its ends, and the band between them that a disc sweeps on its way. In half
// pixels, as RowOffset, so that every comparison is of integers. With u = 2x + 1 - 2 from.x
// and v = 2y + 1 - 2 from.y, a pixel's centre lies at (u, v) / 2 from `from`; with
// D = to - from, its distance to the line through both is |u dy - v dx| / (2 |D|), and it
// lies beside the segment when 0 <= u dx + v dy <= 2 |D|^2. So the band is
// |u dy - v dx| <= 2r |D|, where 2r |D| may be rounded down as the left side is an
// integer, and 0 <= u dx + v dy <= 2 |D|^2: on each row two conditions on a linear
// function of x, each met on an interval. The row of the piece is the smallest interval
// holding the three parts, since the piece is convex.
class MosaicCanvas::Piece {
 public:
  Piece(POINT from, POINT to, int radius, const std::vector<int>& row_offsets)
      : from_(from),
        to_(to),
        radius_(radius),
        row_offsets_(row_offsets),
        dx_(to.x - from.x),
        dy_(to.y - from.y),
        cross_limit_(
            FloorSquareRoot(4 * static_cast<int64_t>(radius) * radius * (dx_ * dx_ + dy_ * dy_))) {}

  // The rows the piece spans, [top, bottom).
  int top() const { return std::min(from_.y, to_.y) - radius_; }
  int bottom() const { return std::max(from_.y, to_.y) + radius_; }

  // Calls visit(y, pixels) with the pixels the piece covers on each row y of [first, end),
  // in order; pixels may be empty.
  template <typename Visit>
  void ForEachRow(int first, int end, Visit visit) const {
    // u = 2x + u0 and v = 2y + v0.
    const int64_t u0 = 1 - 2 * static_cast<int64_t>(from_.x);
    const int64_t v = 2 * static_cast<int64_t>(first) + 1 - 2 * static_cast<int64_t>(from_.y);
    RowCondition across(2 * dy_, u0 * dy_ - v * dx_, -2 * dx_, -cross_limit_, cross_limit_);
    RowCondition along(2 * dx_, u0 * dx_ + v * dy_, 2 * dy_, 0, 2 * (dx_ * dx_ + dy_ * dy_));
    for (int y = first; y < end; ++y, across.Next(), along.Next()) {
      Interval row = {kUnbounded, -kUnbounded};
      Widen(&row, DiscRow(from_, y));
      // A piece of one point is its disc alone: its band would be the whole row.
      if (dx_ != 0 || dy_ != 0) {
        Widen(&row, DiscRow(to_, y));
        const Interval band_across = across.row();
        const Interval band_along = along.row();
        Widen(&row, {std::max(band_across.first, band_along.first),
                     std::min(band_across.last, band_along.last)});
      }
      visit(y, row);
    }
  }

 private:
  static void Widen(Interval* row, const Interval& part) {
    if (part.first > part.last)
      return;
    row->first = std::min(row->first, part.first);
    row->last = std::max(row->last, part.last);
  }

  Interval DiscRow(POINT center, int y) const {
    if (y < center.y - radius_ || y >= center.y + radius_)
      return {1, 0};
    const int offset = row_offsets_[y - (center.y - radius_)];
    return {center.x - 1 - offset, center.x + offset};
  }

  POINT from_;
  POINT to_;
  int radius_;
  const std::vector<int>& row_offsets_;
  int64_t dx_;
  int64_t dy_;
  // 2r |D| rounded down.
  int64_t cross_limit_;
};

MosaicCanvas::MosaicCanvas(int radius) : radius_(radius) {
  for (int row = 0; row < 2 * radius; ++row)
    row_offsets_.push_back(RowOffset(row, radius));
}

RECT MosaicCanvas::GridArea(POINT center, int radius) {
  return {FloorToGrid(center.x - radius), FloorToGrid(center.y - radius),
          FloorToGrid(center.x + radius) + kBlockSize, FloorToGrid(center.y + radius) + kBlockSize};
}

RECT MosaicCanvas::AlignToGrid(const RECT& area) {
  return {FloorToGrid(area.left), FloorToGrid(area.top), FloorToGrid(area.right + kBlockSize - 1),
          FloorToGrid(area.bottom + kBlockSize - 1)};
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

void MosaicCanvas::FindRunsLeftToPaint(const Piece& piece) {
  std::vector<Run>& runs = runs_;
  runs.clear();
  const int width = area_.right - area_.left;
  const int first = std::max<int>(piece.top(), area_.top);
  const int end = std::min<int>(piece.bottom(), area_.bottom);
  piece.ForEachRow(first, end, [&](int y, const Interval& covered) {
    const int64_t left = std::max<int64_t>(covered.first, area_.left);
    const int64_t right = std::min<int64_t>(covered.last + 1, area_.right);
    if (left >= right)
      return;
    // Most of a stroke's pieces lie over pixels painted already: the rows are searched for
    // what is left with memchr.
    const uint8_t* row = left_to_paint_.data() + static_cast<size_t>(y - area_.top) * width;
    const uint8_t* stop_at = row + (right - area_.left);
    for (const uint8_t* at = row + (left - area_.left); at < stop_at;) {
      const auto* start = static_cast<const uint8_t*>(memchr(at, 1, stop_at - at));
      if (!start)
        break;
      const auto* stop = static_cast<const uint8_t*>(memchr(start, 0, stop_at - start));
      at = stop ? stop : stop_at;
      runs.push_back(
          {y, area_.left + static_cast<int>(start - row), area_.left + static_cast<int>(at - row)});
    }
  });
}

void MosaicCanvas::PaintPiece(POINT from, POINT to) {
  FindRunsLeftToPaint(Piece(from, to, radius_, row_offsets_));
  const std::vector<Run>& runs = runs_;
  if (runs.empty())
    return;
  // Every block this piece paints in takes its average before any of its pixels change.
  RECT grid = GridArea(from, radius_);
  const RECT end_grid = GridArea(to, radius_);
  UnionRect(&grid, &grid, &end_grid);
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

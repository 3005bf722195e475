#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"

// The picture under one mosaic stroke, pixelated in memory and written back once: a copy of
// the area the stroke's pieces read, which of its pixels the painting pass has left to
// paint, and which this stroke has painted. A piece is what the brush covers on its way
// from one point of the stroke to the next: every pixel within the radius of that segment.
// Each piece reads the picture as the pieces before it left it, as if every piece were
// painted on the device context in turn. Made on the stack by KMosac::Draw. UI thread only.
class MosaicCanvas {
 public:
  // The side of a mosaic block and the step of the grid the blocks lie on.
  static constexpr int kBlockSize = 10;

  // The grid-aligned area a disc of `radius` around `center` reads: its square rounded down
  // to the grid, then right and bottom extended by a block.
  static RECT GridArea(POINT center, int radius);
  // `area` widened to the lines of the grid.
  static RECT AlignToGrid(const RECT& area);

  // For a brush of `radius`.
  explicit MosaicCanvas(int radius);
  MosaicCanvas(const MosaicCanvas&) = delete;
  MosaicCanvas& operator=(const MosaicCanvas&) = delete;

  // Copies `area` of `dc` and notes the pixels of `remaining` (in dc's coordinates) as left
  // to paint. False without the memory for it.
  [[nodiscard]] bool Read(HDC dc, const RECT& area, HRGN remaining);

  // Makes every Read fail as without memory, for tests of what depends on it.
  static void FailReadsForTesting(bool fail);

  // Pixelates the pixels left to paint whose centres lie within the radius of the segment
  // from `from` to `to` (of the point, when both are one: a disc): each takes the average
  // colour of its whole block as the picture is before this piece.
  void PaintPiece(POINT from, POINT to);

  // Copies the painted pixels to `dc` within its clip region and removes them from
  // `remaining`. Does nothing when nothing was painted.
  void WriteBack(HDC dc, HRGN remaining);

 private:
  // Pixels [left, right) of row y.
  struct Run {
    int y;
    int left;
    int right;
  };

  // The pixels one piece covers, row by row (mosaic_canvas.cpp).
  class Piece;

  uint8_t* PixelAt(int x, int y) const;
  size_t IndexOf(int x, int y) const;
  COLORREF BlockAverage(int block_x, int block_y) const;
  // The runs of `piece` left to paint, into runs_.
  void FindRunsLeftToPaint(const Piece& piece);
  base::ScopedRegion PaintedRegion() const;

  int radius_;
  // How far each row of a disc reaches from its centre, top row first.
  std::vector<int> row_offsets_;
  RECT area_ = {};
  base::ScopedCreateDc dc_;
  base::ScopedBitmap bitmap_;
  uint8_t* bits_ = nullptr;
  int stride_ = 0;
  std::vector<uint8_t> left_to_paint_;
  std::vector<uint8_t> painted_;
  bool painted_any_ = false;
  // Kept from piece to piece, so that a stroke does not allocate for each.
  std::vector<Run> runs_;
  std::vector<COLORREF> averages_;
};

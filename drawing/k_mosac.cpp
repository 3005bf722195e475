#include "drawing/k_mosac.h"

#include <algorithm>

#include "base/assert.h"
#include "drawing/mosaic_canvas.h"
#include "drawing/paint_context.h"

// The pieces are pixelated in memory, one after the other as if each were painted on `dc`
// in turn, and the result is copied to `dc` once: a long stroke costs one copy of the
// picture under it, not a bitmap and a brush per block of every piece.
void KMosac::Draw(HDC dc, PaintContext& context) {
  DrawFrom(dc, context, 1);
}

void KMosac::DrawFrom(HDC dc, PaintContext& context, size_t first) {
  first = std::max<size_t>(first, 1);
  if (mosaicSize <= 0 || points.empty() || (points.size() > 1 && first >= points.size()))
    return;
  // Named as the check's report reads it.
  const HRGN mosaicRegion = context.mosaic_region();
  PICTOR_ASSERT(mosaicRegion != NULL, "k_mosac");
  RECT left_to_paint = {};
  const int left_kind = mosaicRegion ? GetRgnBox(mosaicRegion, &left_to_paint) : ERROR;
  if (left_kind == ERROR) {
    context.MosaicFailed();
    return;
  }
  // The pieces reach from the point before the first one on.
  RECT area = MosaicCanvas::GridArea(points[first - 1], mosaicSize);
  for (size_t i = first; i < points.size(); ++i) {
    const RECT disc_area = MosaicCanvas::GridArea(points[i], mosaicSize);
    UnionRect(&area, &area, &disc_area);
  }
  // Only the blocks around what the pass has left to paint are read: a stroke that strays
  // past the selection costs no more than the selection.
  const RECT reach = MosaicCanvas::AlignToGrid(left_to_paint);
  if (left_kind == NULLREGION || !IntersectRect(&area, &area, &reach))
    return;
  MosaicCanvas canvas(mosaicSize);
  if (!canvas.Read(dc, area, mosaicRegion)) {
    context.MosaicFailed();
    return;
  }
  // The brush covers the whole way between the points the system reported, however far
  // apart a fast move left them: one piece from each point to the next.
  if (points.size() == 1)
    canvas.PaintPiece(points.front(), points.front());
  for (size_t i = first; i < points.size(); ++i)
    canvas.PaintPiece(points[i - 1], points[i]);
  canvas.WriteBack(dc, mosaicRegion);
}

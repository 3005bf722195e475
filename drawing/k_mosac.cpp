#include "drawing/k_mosac.h"

#include "base/assert.h"
#include "drawing/mosaic_canvas.h"
#include "drawing/mosaic_region.h"

// The discs are pixelated in memory, one after the other as if each were painted on `dc` in
// turn, and the result is copied to `dc` once: a long stroke costs one copy of the picture
// under it, not a bitmap and a brush per block of every disc.
void KMosac::Draw(HDC dc) {
  if (mosaicSize <= 0 || points.empty())
    return;
  PICTOR_ASSERT(mosaicRegion != NULL, "k_mosac");
  if (!mosaicRegion) {
    mosaicPassFailed = true;
    return;
  }
  RECT area = MosaicCanvas::GridArea(points.front(), mosaicSize);
  for (const POINT& point : points) {
    const RECT disc_area = MosaicCanvas::GridArea(point, mosaicSize);
    UnionRect(&area, &area, &disc_area);
  }
  MosaicCanvas canvas(mosaicSize);
  if (!canvas.Read(dc, area, mosaicRegion)) {
    mosaicPassFailed = true;
    return;
  }
  for (const POINT& point : points)
    canvas.PaintDisc(point);
  canvas.WriteBack(dc, mosaicRegion);
}

#include "drawing/paint_shapes.h"

#include <memory>

#include "drawing/drawing.h"
#include "drawing/mosaic_region.h"

bool PaintShapes(HDC dc, const RECT& selection, const std::vector<Drawing*>& shapes) {
  return PaintShapesAfter(dc, selection, shapes, nullptr, nullptr);
}

bool PaintShapesAfter(HDC dc,
                      const RECT& selection,
                      const std::vector<Drawing*>& shapes,
                      HRGN unmosaicked,
                      HRGN left_unmosaicked) {
  bool painted = true;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, selection.left, selection.top, selection.right, selection.bottom);
  {
    const std::unique_ptr<ScopedMosaicPass> pass =
        unmosaicked ? std::make_unique<ScopedMosaicPass>(selection, unmosaicked)
                    : std::make_unique<ScopedMosaicPass>(selection);
    for (Drawing* shape : shapes) {
      shape->clipRect = selection;
      shape->Draw(dc);
    }
    pass->CopyRegionTo(left_unmosaicked);
    painted = !mosaicPassFailed;
  }
  RestoreDC(dc, saved);
  return painted;
}

#include "drawing/paint_shapes.h"

#include <memory>

#include "drawing/drawing.h"
#include "drawing/mosaic_region.h"

void PaintShapes(HDC dc, const RECT& selection, const std::vector<Drawing*>& shapes) {
  PaintShapesAfter(dc, selection, shapes, nullptr, nullptr);
}

void PaintShapesAfter(HDC dc,
                      const RECT& selection,
                      const std::vector<Drawing*>& shapes,
                      HRGN unmosaicked,
                      HRGN left_unmosaicked) {
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
  }
  RestoreDC(dc, saved);
}

#include "drawing/paint_shapes.h"

#include "drawing/drawing.h"
#include "drawing/paint_context.h"

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
    PaintContext context(selection, unmosaicked);
    for (Drawing* shape : shapes) {
      shape->clipRect = selection;
      shape->Draw(dc, context);
    }
    context.CopyRegionTo(left_unmosaicked);
    painted = !context.mosaic_failed();
  }
  RestoreDC(dc, saved);
  return painted;
}

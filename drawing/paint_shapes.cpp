#include "drawing/paint_shapes.h"

#include "drawing/drawing.h"
#include "drawing/paint_context.h"

namespace {

// One pass on `dc` clipped to `selection`: `paint` is given the pass's context, which starts
// from `unmosaicked` (the whole selection when null) and leaves what remains unpainted by
// mosaics in `left_unmosaicked` (unless null, and which may be `unmosaicked`).
template <typename Paint>
bool PaintPass(HDC dc,
               const RECT& selection,
               HRGN unmosaicked,
               HRGN left_unmosaicked,
               const Paint& paint) {
  bool painted = true;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, selection.left, selection.top, selection.right, selection.bottom);
  {
    PaintContext context(selection, unmosaicked);
    paint(context);
    context.CopyRegionTo(left_unmosaicked);
    painted = !context.mosaic_failed();
  }
  RestoreDC(dc, saved);
  return painted;
}

}  // namespace

bool PaintShapes(HDC dc, const RECT& selection, const std::vector<Drawing*>& shapes) {
  return PaintShapesAfter(dc, selection, shapes, nullptr, nullptr);
}

bool PaintShapesAfter(HDC dc,
                      const RECT& selection,
                      const std::vector<Drawing*>& shapes,
                      HRGN unmosaicked,
                      HRGN left_unmosaicked) {
  return PaintPass(dc, selection, unmosaicked, left_unmosaicked, [&](PaintContext& context) {
    for (Drawing* shape : shapes) {
      shape->clipRect = selection;
      shape->Draw(dc, context);
    }
  });
}

bool PaintPiecesAfter(HDC dc,
                      const RECT& selection,
                      Drawing* stroke,
                      size_t first,
                      HRGN unmosaicked) {
  return PaintPass(dc, selection, unmosaicked, unmosaicked, [&](PaintContext& context) {
    stroke->clipRect = selection;
    stroke->DrawFrom(dc, context, first);
  });
}

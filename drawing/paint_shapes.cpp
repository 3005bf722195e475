#include "drawing/paint_shapes.h"

#include "base/scoped_gdi_object.h"
#include "drawing/drawing.h"
#include "drawing/mosaic_region.h"

void PaintShapes(HDC dc, const RECT& selection, const std::vector<Drawing*>& shapes) {
  base::ScopedRegion clip(CreateRectRgnIndirect(&selection));
  SelectClipRgn(dc, clip.get());
  {
    ScopedMosaicPass pass(selection);
    for (Drawing* shape : shapes) {
      shape->clipRect = selection;
      shape->Draw(dc);
    }
  }
  SelectClipRgn(dc, nullptr);
}

#include "drawing/paint_context.h"

PaintContext::PaintContext(const RECT& selection) : region_(CreateRectRgnIndirect(&selection)) {}

PaintContext::PaintContext(const RECT& selection, HRGN left_by_earlier_pass)
    : PaintContext(selection) {
  if (region_ && left_by_earlier_pass)
    CombineRgn(region_.get(), left_by_earlier_pass, nullptr, RGN_COPY);
}

void PaintContext::CopyRegionTo(HRGN region) const {
  if (region_ && region)
    CombineRgn(region, region_.get(), nullptr, RGN_COPY);
}

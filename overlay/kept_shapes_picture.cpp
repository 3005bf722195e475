#include "overlay/kept_shapes_picture.h"

#include "drawing/mosaic_canvas.h"
#include "drawing/paint_shapes.h"

void KeptShapesPicture::Release() {
  picture_.Reset();
  unmosaicked_.reset();
  size_ = {};
  valid_ = false;
}

bool KeptShapesPicture::Update(HDC picture,
                               HDC surroundings,
                               int width,
                               int height,
                               const RECT& selection,
                               const std::vector<Drawing*>& shapes) {
  if (valid_ && EqualRect(&selection, &selection_))
    return true;
  if ((size_.cx != width || size_.cy != height || picture_.empty()) &&
      !Allocate(picture, width, height))
    return false;
  valid_ = false;
  // A mosaic block across the selection's edge averages what lies around the selection too,
  // which in a frame is the dimmed picture.
  RECT around = selection;
  InflateRect(&around, MosaicCanvas::kBlockSize, MosaicCanvas::kBlockSize);
  const RECT screen = {0, 0, width, height};
  IntersectRect(&around, &around, &screen);
  BitBlt(picture_.dc(), around.left, around.top, around.right - around.left,
         around.bottom - around.top, surroundings, around.left, around.top, SRCCOPY);
  const RECT& s = selection;
  BitBlt(picture_.dc(), s.left, s.top, s.right - s.left, s.bottom - s.top, picture, s.left, s.top,
         SRCCOPY);
  if (!PaintShapesAfter(picture_.dc(), selection, shapes, nullptr, unmosaicked_.get()))
    return false;
  selection_ = selection;
  valid_ = true;
  return true;
}

bool KeptShapesPicture::Allocate(HDC picture, int width, int height) {
  Release();
  unmosaicked_.reset(CreateRectRgn(0, 0, 0, 0));
  if (!unmosaicked_ || !picture_.MakeCompatible(picture, width, height)) {
    Release();
    return false;
  }
  size_ = {width, height};
  return true;
}

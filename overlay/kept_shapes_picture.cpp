#include "overlay/kept_shapes_picture.h"

#include <algorithm>

#include "drawing/drawing.h"
#include "drawing/mosaic_canvas.h"
#include "drawing/paint_shapes.h"
#include "overlay/dimming.h"

void KeptShapesPicture::Release() {
  picture_.Reset();
  unmosaicked_.reset();
  size_ = {};
  valid_ = false;
  ForgetStroke();
}

bool KeptShapesPicture::Update(HDC picture,
                               const uint32_t* pixels,
                               int width,
                               int height,
                               const RECT& selection,
                               const std::vector<Drawing*>& shapes,
                               Drawing* stroke,
                               RECT* changed) {
  *changed = {};
  const bool stroke_goes_on = !holds_stroke() || (stroke && HoldsBeginningOf(*stroke));
  if (!valid_ || !EqualRect(&selection, &selection_) || !stroke_goes_on) {
    *changed = stroke_area_;
    if ((size_.cx != width || size_.cy != height || picture_.empty()) && !Allocate(width, height))
      return false;
    selection_ = selection;
    if (!PaintKeptShapes(picture, pixels, shapes))
      return false;
  }
  if (stroke && !ExtendStroke(stroke, changed)) {
    valid_ = false;
    return false;
  }
  return true;
}

bool KeptShapesPicture::PaintKeptShapes(HDC picture,
                                        const uint32_t* pixels,
                                        const std::vector<Drawing*>& shapes) {
  valid_ = false;
  ForgetStroke();
  // A mosaic block across the selection's edge averages what lies around the selection too,
  // which in a frame is the dimmed picture.
  const RECT& s = selection_;
  RECT around = s;
  InflateRect(&around, MosaicCanvas::kBlockSize, MosaicCanvas::kBlockSize);
  const RECT screen = {0, 0, size_.cx, size_.cy};
  IntersectRect(&around, &around, &screen);
  GdiFlush();
  DimArea(pixels, static_cast<uint32_t*>(picture_.bits()), size_.cx, around);
  BitBlt(picture_.dc(), s.left, s.top, s.right - s.left, s.bottom - s.top, picture, s.left, s.top,
         SRCCOPY);
  if (!PaintShapesAfter(picture_.dc(), s, shapes, nullptr, unmosaicked_.get()))
    return false;
  valid_ = true;
  return true;
}

bool KeptShapesPicture::HoldsBeginningOf(const Drawing& stroke) const {
  const auto same = [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; };
  return stroke.mosaicSize == stroke_radius_ && stroke.points.size() >= stroke_points_.size() &&
         std::equal(stroke_points_.begin(), stroke_points_.end(), stroke.points.begin(), same);
}

bool KeptShapesPicture::ExtendStroke(Drawing* stroke, RECT* changed) {
  if (!holds_stroke()) {
    stroke_unmosaicked_.reset(CreateRectRgn(0, 0, 0, 0));
    if (!stroke_unmosaicked_)
      return false;
    CombineRgn(stroke_unmosaicked_.get(), unmosaicked_.get(), nullptr, RGN_COPY);
    stroke_radius_ = stroke->mosaicSize;
  }
  const size_t first = std::max<size_t>(stroke_points_.size(), 1);
  if (first >= stroke->points.size())
    return true;
  base::ScopedRegion painted(CreateRectRgn(0, 0, 0, 0));
  if (!painted)
    return false;
  CombineRgn(painted.get(), stroke_unmosaicked_.get(), nullptr, RGN_COPY);
  if (!PaintPiecesAfter(picture_.dc(), selection_, stroke, first, stroke_unmosaicked_.get()))
    return false;
  // Only the new points: the earlier ones are the stroke's already.
  stroke_points_.insert(stroke_points_.end(), stroke->points.begin() + stroke_points_.size(),
                        stroke->points.end());
  CombineRgn(painted.get(), painted.get(), stroke_unmosaicked_.get(), RGN_DIFF);
  RECT box = {};
  GetRgnBox(painted.get(), &box);
  UnionRect(changed, changed, &box);
  UnionRect(&stroke_area_, &stroke_area_, &box);
  return true;
}

void KeptShapesPicture::ForgetStroke() {
  stroke_points_.clear();
  stroke_radius_ = 0;
  stroke_unmosaicked_.reset();
  stroke_area_ = {};
}

bool KeptShapesPicture::Allocate(int width, int height) {
  Release();
  unmosaicked_.reset(CreateRectRgn(0, 0, 0, 0));
  if (!unmosaicked_ || !picture_.MakeTopDown32(width, height)) {
    Release();
    return false;
  }
  size_ = {width, height};
  return true;
}

#include "overlay/overlay_compositor.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/scoped_select_object.h"
#include "drawing/drawing.h"
#include "drawing/mosaic_canvas.h"
#include "drawing/paint_shapes.h"
#include "dui/res_manager.h"
#include "dui/scaled_image.h"
#include "overlay/dimming.h"
#include "resources/resource_ids.h"

namespace {

constexpr COLORREF kFrameColor = RGB(255, 139, 49);

// How far the frame and the handles reach past the selection, and into it.
constexpr int kDecorationMargin = 16;
constexpr int kDecorationReachInside = 8;

// Where the shapes could not be painted, the selection shows this stock brush rather than
// the picture, which would show in clear what a mosaic hides.
constexpr int kUnpaintedSelectionBrush = DKGRAY_BRUSH;

// `area` of `picture` shown at 60 % over black, into the same place of `target`.
void Dim(HDC target, HDC picture, const RECT& area) {
  FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const BLENDFUNCTION dim = {AC_SRC_OVER, 0, kDimAlpha, 0};
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  AlphaBlend(target, area.left, area.top, width, height, picture, area.left, area.top, width,
             height, dim);
}

bool AnyReadsPixelsBeneath(const std::vector<Drawing*>& shapes) {
  return std::any_of(shapes.begin(), shapes.end(),
                     [](const Drawing* shape) { return shape->ReadsPixelsBeneath(); });
}

// Outwards to the lines of the mosaic blocks' grid.
void AlignToMosaicGrid(RECT* area) {
  const RECT first = MosaicCanvas::GridArea({area->left, area->top}, 0);
  const RECT last = MosaicCanvas::GridArea({area->right - 1, area->bottom - 1}, 0);
  *area = {first.left, first.top, last.right, last.bottom};
}

bool Encloses(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

void OverlayCompositor::Attach(const base::MemoryBitmap& picture,
                               const base::MemoryBitmap& frame,
                               SIZE size) {
  picture_ = picture.dc();
  picture_pixels_ = static_cast<const uint32_t*>(picture.bits());
  frame_ = frame.dc();
  frame_pixels_ = static_cast<uint32_t*>(frame.bits());
  size_ = size;
  to_compose_ = screen();
}

void OverlayCompositor::Release() {
  picture_ = nullptr;
  picture_pixels_ = nullptr;
  frame_ = nullptr;
  frame_pixels_ = nullptr;
  kept_picture_.Release();
}

void OverlayCompositor::MarkDirty(const RECT& area) {
  UnionRect(&to_compose_, &to_compose_, &area);
}

void OverlayCompositor::ShapesChanged(const RECT& selection) {
  kept_picture_.Invalidate();
  MarkDirty(selection);
}

// Each frame is the dimmed picture with the selection, its shapes, frame, handles and label
// drawn over it. The picture with the kept shapes is made once; the picture is dimmed where
// a frame needs it, which costs about as much as a copy of a dimmed picture would and needs
// no picture of its own. A frame composes anew, from the dimmed picture up, only the areas where it
// may differ from the last one: the edges of the last and the new selection (the frame and handles
// lie there), what lies in one selection but not the other, the last and the new label, and the
// selection while a shape is drawn or after the shapes changed. Every area holds the very pixels a
// whole composition would, and only those areas go to the window.
void OverlayCompositor::Paint(HDC window_dc, const OverlayScene& scene) {
  if (!picture_pixels_ || !frame_pixels_)
    return;
  Drawing* stroke = scene.current_shape && scene.current_shape->PaintsPieceByPiece()
                        ? scene.current_shape
                        : nullptr;
  FrameContent content = {};
  RECT stroke_changed = {};
  content.kept_shapes_ready = UpdateKeptPicture(scene, stroke, &stroke_changed);
  content.stroke_ready = stroke && content.kept_shapes_ready;
  content.label = LayOutLabel(frame_, scene);
  const RECT shape = CurrentShapeArea(scene, content);
  DirtyRects dirty = DirtyAreas(scene, content.label, shape);
  dirty.Add(stroke_changed);
  to_compose_ = {};
  last_frame_ = {scene.selection, scene.decoration, scene.decoration_scale, content.label, shape};

  // A mosaic averages whole blocks of the picture under it, so an area where mosaics are
  // painted takes whole blocks: composed anew from the dimmed picture up, a block then
  // holds what it holds in a whole composition, whatever lies around the area.
  const bool mosaics_to_paint =
      (scene.current_shape && scene.current_shape->ReadsPixelsBeneath() && !content.stroke_ready) ||
      (!content.kept_shapes_ready && AnyReadsPixelsBeneath(scene.kept_shapes));
  const RECT whole = screen();
  for (RECT area : dirty.Merged()) {
    if (mosaics_to_paint)
      AlignToMosaicGrid(&area);
    if (!IntersectRect(&area, &area, &whole))
      continue;
    // Blank until a later frame paints the shapes: that one tries again.
    if (!ComposeArea(frame_, area, scene, content))
      MarkDirty(area);
    BitBlt(window_dc, area.left, area.top, area.right - area.left, area.bottom - area.top, frame_,
           area.left, area.top, SRCCOPY);
  }
}

bool OverlayCompositor::ComposeWhole(HDC target, const OverlayScene& scene) {
  const FrameContent content = {false, false, true, LayOutLabel(target, scene)};
  return ComposeArea(target, screen(), scene, content);
}

bool OverlayCompositor::UpdateKeptPicture(const OverlayScene& scene,
                                          Drawing* stroke,
                                          RECT* changed) {
  *changed = {};
  const bool needed = !scene.kept_shapes.empty() || stroke || kept_picture_.holds_stroke();
  return needed && kept_picture_.Update(picture_, picture_pixels_, size_.cx, size_.cy,
                                        scene.selection, scene.kept_shapes, stroke, changed);
}

RECT OverlayCompositor::LayOutLabel(HDC dc, const OverlayScene& scene) {
  if (!scene.labelled)
    return {};
  return size_label_.Layout(dc, scene.selection, scene.label_monitor, scene.label_scale,
                            scene.toolbar ? &*scene.toolbar : nullptr);
}

// Where the shape being drawn paints: nowhere when its pieces lie on the kept picture; within
// the bounds it gives, when it gives them; the whole selection for a shape that does not (a
// text, or a mosaic, whose newest piece covers the whole way from its last point to the new
// one, however far a fast move took the mouse) or when the kept shapes are painted with it.
RECT OverlayCompositor::CurrentShapeArea(const OverlayScene& scene,
                                         const FrameContent& content) const {
  if (!scene.current_shape || content.stroke_ready)
    return {};
  const std::optional<RECT> bounds = scene.current_shape->PaintBounds();
  if (!bounds || (!scene.kept_shapes.empty() && !content.kept_shapes_ready))
    return scene.selection;
  RECT area = {};
  IntersectRect(&area, &*bounds, &scene.selection);
  return area;
}

DirtyRects OverlayCompositor::DirtyAreas(const OverlayScene& scene,
                                         const RECT& label,
                                         const RECT& shape) const {
  DirtyRects dirty;
  dirty.Add(to_compose_);
  if (!EqualRect(&last_frame_.selection, &scene.selection) ||
      last_frame_.decoration != scene.decoration ||
      last_frame_.decoration_scale != scene.decoration_scale) {
    dirty.AddEdges(last_frame_.selection, last_frame_.decoration_scale.Scale(kDecorationMargin));
    dirty.AddEdges(scene.selection, scene.decoration_scale.Scale(kDecorationMargin));
    dirty.AddDifference(last_frame_.selection, scene.selection);
  }
  dirty.Add(last_frame_.label);
  dirty.Add(label);
  dirty.Add(last_frame_.shape);
  dirty.Add(shape);
  return dirty;
}

bool OverlayCompositor::ComposeArea(HDC dc,
                                    const RECT& area,
                                    const OverlayScene& scene,
                                    const FrameContent& content) {
  RestoreDimmed(dc, area, content.dim_by_blend);
  RECT inside = {};
  if (IntersectRect(&inside, &area, &scene.selection)) {
    HDC picture = content.kept_shapes_ready ? kept_picture_.dc() : picture_;
    BitBlt(dc, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top,
           picture, inside.left, inside.top, SRCCOPY);
  }
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  bool painted = true;
  if (!IsRectEmpty(&inside) && !DrawShapes(dc, scene, content)) {
    FillRect(dc, &inside, static_cast<HBRUSH>(GetStockObject(kUnpaintedSelectionBrush)));
    painted = false;
  }
  DrawFrameAndHandles(dc, scene, area);
  RECT common = {};
  if (scene.labelled && IntersectRect(&common, &area, &content.label))
    size_label_.Draw(dc);
  RestoreDC(dc, saved);
  return painted;
}

void OverlayCompositor::RestoreDimmed(HDC target, const RECT& area, bool dim_by_blend) {
  if (dim_by_blend) {
    Dim(target, picture_, area);
    return;
  }
  GdiFlush();
  DimArea(picture_pixels_, frame_pixels_, size_.cx, area);
}

// The kept shapes in drawing order, then the one under construction; with the kept ones on
// the picture already, only that one, in the same painting pass; with that one on it too,
// none. False when a mosaic could not be painted.
bool OverlayCompositor::DrawShapes(HDC dc, const OverlayScene& scene, const FrameContent& content) {
  if (!content.kept_shapes_ready) {
    std::vector<Drawing*> shapes = scene.kept_shapes;
    if (scene.current_shape)
      shapes.push_back(scene.current_shape);
    return PaintShapes(dc, scene.selection, shapes);
  }
  if (scene.current_shape && !content.stroke_ready) {
    return PaintShapesAfter(dc, scene.selection, {scene.current_shape}, kept_picture_.unmosaicked(),
                            nullptr);
  }
  return true;
}

// The frame and the handles drawn where they meet `area`: a frame drawn for every area of a
// frame would cost more than composing the areas.
void OverlayCompositor::DrawFrameAndHandles(HDC dc, const OverlayScene& scene, const RECT& area) {
  const RECT& s = scene.selection;
  RECT clear = s;
  const int reach_inside = scene.decoration_scale.Scale(kDecorationReachInside);
  InflateRect(&clear, -reach_inside, -reach_inside);
  if (IsRectEmpty(&s) || Encloses(clear, area))
    return;
  if (scene.decoration == Decoration::kHighlight) {
    // The highlight lies just outside the window it frames.
    base::ScopedPen pen(CreatePen(PS_SOLID, 1, kFrameColor));
    base::ScopedSelectObject select_pen(dc, pen.get());
    base::ScopedSelectObject select_brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, s.left - 1, s.top - 1, s.right + 1, s.bottom + 1);
    return;
  }
  if (scene.decoration == Decoration::kDraggingHandles) {
    base::ScopedBrush brush(CreateSolidBrush(kFrameColor));
    FrameRect(dc, &s, brush.get());
    DrawHandles(dc, dragging_handle_, IDB_HANDLE_DRAGGING, scene, area);
    return;
  }
  {
    base::ScopedPen pen(CreatePen(PS_SOLID, scene.decoration_scale.Scale(2), kFrameColor));
    base::ScopedSelectObject select_pen(dc, pen.get());
    base::ScopedSelectObject select_brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, s.left, s.top, s.right, s.bottom);
  }
  DrawHandles(dc, settled_handle_, IDB_HANDLE_SETTLED, scene, area);
}

bool OverlayCompositor::PrepareHandle(OverlaySprite& sprite, int image_id, const RECT& hit) {
  const int width = hit.right - hit.left;
  const int height = hit.bottom - hit.top;
  if (!sprite.empty() && sprite.width() == width && sprite.height() == height)
    return true;
  Gdiplus::Image* image = dui::ResManager::GetInstance()->GetImage(image_id);
  if (!image)
    return false;
  if (static_cast<int>(image->GetWidth()) == width)
    return sprite.RenderImage(image);
  // At another scale the handle is as large as its hit rectangle.
  const base::DpiScale scale(MulDiv(width, base::DpiScale::kBaseDpi, image->GetWidth()));
  return sprite.Render(width, height, [&](Gdiplus::Graphics& graphics) {
    dui::DrawNineGridAtScale(graphics, image_id, Gdiplus::Rect(0, 0, width, height), 0, 0, scale);
  });
}

// The handle picture at the top-left of each hit rectangle, where it meets `area`.
void OverlayCompositor::DrawHandles(HDC dc,
                                    OverlaySprite& sprite,
                                    int image_id,
                                    const OverlayScene& scene,
                                    const RECT& area) {
  if (!PrepareHandle(sprite, image_id, scene.handles[0]))
    return;
  for (const RECT& hit : scene.handles) {
    const RECT drawn = {hit.left, hit.top, hit.left + sprite.width(), hit.top + sprite.height()};
    RECT common = {};
    if (IntersectRect(&common, &drawn, &area))
      sprite.Draw(dc, hit.left, hit.top);
  }
}

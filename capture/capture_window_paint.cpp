// The overlay: every visible change of the capture window is one frame composed here from
// the frozen picture and pushed to the window in one blit.
#include "capture/capture_window.h"

#include <algorithm>
#include <cstdlib>

#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "capture/dirty_rects.h"
#include "drawing/drawing.h"
#include "drawing/k_mosac.h"
#include "drawing/k_text.h"
#include "drawing/mosaic_canvas.h"
#include "drawing/paint_shapes.h"
#include "dui/res_manager.h"
#include "resources/resource_ids.h"

namespace {

using State = SelectionState;

// Outside the selection the picture shows at 60 %.
constexpr BYTE kDimAlpha = 153;
constexpr COLORREF kFrameColor = RGB(255, 139, 49);

// How far the frame and the handles reach past the selection, and into it.
constexpr int kDecorationMargin = 16;
constexpr int kDecorationReachInside = 8;

// Where the shapes could not be painted, the selection shows this stock brush rather than
// the picture, which would show in clear what a mosaic hides.
constexpr int kUnpaintedSelectionBrush = DKGRAY_BRUSH;

// How far an outline shape may paint past its points.
constexpr int kShapeReachInWidths = 3;
constexpr int kShapeReach = 24;

// Rectangles, ellipses and arrows paint near their points; mosaics and texts do not say.
bool SpansItsPoints(const Drawing& shape) {
  return !dynamic_cast<const KMosac*>(&shape) && !dynamic_cast<const KText*>(&shape) &&
         !shape.points.empty();
}

// `area` of `picture` shown at 60 % over black, into the same place of `target`.
void Dim(HDC target, HDC picture, const RECT& area) {
  FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const BLENDFUNCTION dim = {AC_SRC_OVER, 0, kDimAlpha, 0};
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  AlphaBlend(target, area.left, area.top, width, height, picture, area.left, area.top, width,
             height, dim);
}

bool HasMosaic(const std::vector<Drawing*>& shapes) {
  return std::any_of(shapes.begin(), shapes.end(), [](const Drawing* shape) {
    return dynamic_cast<const KMosac*>(shape) != nullptr;
  });
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

// Puts what the window's DC drew on the screen now. Some window systems show a window's
// drawing only when its thread waits for messages, which would make each frame wait for
// the work that follows it (the magnifier, the toolbar); a wait that returns at once is
// enough.
void ShowNow() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

}  // namespace

// The frame is pushed to the screen by each change; when the system asks, the last frame is
// shown again rather than the dialog's grey. The first time, the descendants of the
// desktop's windows are read once the frame is on the screen.
void CaptureWindow::OnPaintMessage() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  BitBlt(dc, 0, 0, desktop_.width(), desktop_.height(), mem_dc_.get(), 0, 0, SRCCOPY);
  EndPaint(hwnd_, &paint);
  if (!windows_read_) {
    ShowNow();
    PostMessageW(hwnd_, kReadDescendantsMessage, 0, 0);
  }
}

void CaptureWindow::RepaintAll() {
  to_compose_ = desktop_.Area();
  composing_straight_ = true;
  PaintOverlay();
  composing_straight_ = false;
}

// Each frame is the dimmed picture with the selection, its shapes, frame, handles and label
// drawn over it. The dimmed picture is made once, and so is the picture with the kept
// shapes. A frame composes anew, from the dimmed picture up, only the areas where it may
// differ from the last one: the edges of the last and the new selection (the frame and
// handles lie there), what lies in one selection but not the other, the last and the new
// label, and the selection while a shape is drawn or after the shapes changed. Every area
// holds the very pixels a whole composition would, and only those areas go to the window.
void CaptureWindow::PaintOverlay() {
  if (!dimmed_ready_)
    DimPicture();
  FrameContent content = {};
  const RECT& selection = model_.selection();
  content.labelled = model_.ShowsSize();
  content.kept_shapes_ready =
      !composing_straight_ && !annotations_.empty() && !dimmed_.empty() &&
      kept_picture_.Update(original_dc_.get(), dimmed_.dc(), desktop_.width(), desktop_.height(),
                           selection, annotations_.KeptShapes());
  const RECT label = content.labelled ? LayOutSizeLabel() : RECT{};
  const RECT shape = CurrentShapeArea(content.kept_shapes_ready);

  const Decoration decoration = model_.decoration();
  DirtyRects dirty;
  dirty.Add(to_compose_);
  if (!EqualRect(&last_frame_.selection, &selection) || last_frame_.decoration != decoration) {
    dirty.AddEdges(last_frame_.selection, kDecorationMargin);
    dirty.AddEdges(selection, kDecorationMargin);
    dirty.AddDifference(last_frame_.selection, selection);
  }
  dirty.Add(last_frame_.label);
  dirty.Add(label);
  dirty.Add(last_frame_.shape);
  dirty.Add(shape);
  to_compose_ = {};
  last_frame_ = {selection, decoration, label, shape};

  // A mosaic averages whole blocks of the picture under it, so an area where mosaics are
  // painted takes whole blocks: composed anew from the dimmed picture up, a block then
  // holds what it holds in a whole composition, whatever lies around the area.
  const bool mosaics_to_paint =
      dynamic_cast<const KMosac*>(annotations_.current()) ||
      (!content.kept_shapes_ready && HasMosaic(annotations_.KeptShapes()));
  const RECT screen = desktop_.Area();
  base::ScopedGetDc window_dc(hwnd_);
  for (RECT area : dirty.Merged()) {
    if (mosaics_to_paint)
      AlignToMosaicGrid(&area);
    if (!IntersectRect(&area, &area, &screen))
      continue;
    ComposeArea(area, content);
    BitBlt(window_dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           mem_dc_.get(), area.left, area.top, SRCCOPY);
  }
  ShowNow();
}

// Where the shape being drawn paints: around its points for the outlines, whose strokes
// and arrow heads reach at most a few widths past them; the whole selection for a text, when
// the kept shapes are painted with it, or for a mosaic, whose newest piece covers the whole
// way from its last point to the new one, however far a fast move took the mouse.
RECT CaptureWindow::CurrentShapeArea(bool kept_shapes_ready) const {
  if (!annotations_.current())
    return {};
  if (!SpansItsPoints(*annotations_.current()) || (!annotations_.empty() && !kept_shapes_ready))
    return model_.selection();
  const std::vector<POINT>& points = annotations_.current()->points;
  RECT area = {points.front().x, points.front().y, points.front().x, points.front().y};
  for (const POINT& point : points) {
    area = {std::min(area.left, point.x), std::min(area.top, point.y),
            std::max(area.right, point.x + 1), std::max(area.bottom, point.y + 1)};
  }
  const int reach = kShapeReachInWidths * std::max(annotations_.current()->width, 0) + kShapeReach;
  InflateRect(&area, reach, reach);
  IntersectRect(&area, &area, &model_.selection());
  return area;
}

// The frame's pixels in `area`, as a composition of the whole frame would make them.
void CaptureWindow::ComposeArea(const RECT& area, const FrameContent& content) {
  HDC dc = mem_dc_.get();
  RestoreDimmed(area);
  RECT inside = {};
  if (IntersectRect(&inside, &area, &model_.selection())) {
    HDC picture = content.kept_shapes_ready ? kept_picture_.dc() : original_dc_.get();
    BitBlt(dc, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top,
           picture, inside.left, inside.top, SRCCOPY);
  }
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  if (!IsRectEmpty(&inside) && !DrawShapes(dc, content.kept_shapes_ready)) {
    // Blank until a later frame paints the shapes: this one tries again.
    FillRect(dc, &inside, static_cast<HBRUSH>(GetStockObject(kUnpaintedSelectionBrush)));
    UnionRect(&to_compose_, &to_compose_, &area);
  }
  DrawFrameAndHandles(area);
  RECT common = {};
  if (content.labelled && IntersectRect(&common, &area, &last_frame_.label))
    size_label_.Draw(dc);
  RestoreDC(dc, saved);
}

void CaptureWindow::DimPicture() {
  dimmed_ready_ = true;
  to_compose_ = desktop_.Area();
  if (dimmed_.empty()) {
    base::ScopedGetDc screen(nullptr);
    // Without memory for it every frame dims the picture anew.
    if (!dimmed_.MakeCompatible(screen.get(), desktop_.width(), desktop_.height()))
      return;
  }
  Dim(dimmed_.dc(), original_dc_.get(), desktop_.Area());
}

void CaptureWindow::RestoreDimmed(const RECT& area) {
  if (dimmed_.empty() || composing_straight_) {
    Dim(mem_dc_.get(), original_dc_.get(), area);
    return;
  }
  BitBlt(mem_dc_.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
         dimmed_.dc(), area.left, area.top, SRCCOPY);
}

// The finished shapes in drawing order, then the one under construction; with the kept
// ones on the picture already, only that one, in the same painting pass. False when a
// mosaic could not be painted.
bool CaptureWindow::DrawShapes(HDC dc, bool kept_shapes_ready) {
  if (!kept_shapes_ready) {
    std::vector<Drawing*> shapes = annotations_.KeptShapes();
    if (annotations_.current())
      shapes.push_back(annotations_.current());
    return PaintShapes(dc, model_.selection(), shapes);
  }
  if (annotations_.current()) {
    return PaintShapesAfter(dc, model_.selection(), {annotations_.current()},
                            kept_picture_.unmosaicked(), nullptr);
  }
  return true;
}

// The frame and the handles drawn where they meet `area`: a frame drawn for every area of a
// frame would cost more than composing the areas.
void CaptureWindow::DrawFrameAndHandles(const RECT& area) {
  const RECT& s = model_.selection();
  RECT clear = s;
  InflateRect(&clear, -kDecorationReachInside, -kDecorationReachInside);
  if (IsRectEmpty(&s) || Encloses(clear, area))
    return;
  HDC dc = mem_dc_.get();
  if (model_.decoration() == Decoration::kHighlight) {
    // The highlight lies just outside the window it frames.
    base::ScopedPen pen(CreatePen(PS_SOLID, 1, kFrameColor));
    base::ScopedSelectObject select_pen(dc, pen.get());
    base::ScopedSelectObject select_brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, s.left - 1, s.top - 1, s.right + 1, s.bottom + 1);
    return;
  }
  if (model_.decoration() == Decoration::kDraggingHandles) {
    base::ScopedBrush brush(CreateSolidBrush(kFrameColor));
    FrameRect(dc, &s, brush.get());
    DrawHandles(dragging_handle_, IDB_HANDLE_DRAGGING, area);
    return;
  }
  {
    base::ScopedPen pen(CreatePen(PS_SOLID, 2, kFrameColor));
    base::ScopedSelectObject select_pen(dc, pen.get());
    base::ScopedSelectObject select_brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, s.left, s.top, s.right, s.bottom);
  }
  DrawHandles(settled_handle_, IDB_HANDLE_SETTLED, area);
}

// The handle picture at the top-left of each hit rectangle, where it meets `area`.
void CaptureWindow::DrawHandles(OverlaySprite& sprite, int image_id, const RECT& area) {
  if (sprite.empty() && !sprite.RenderImage(dui::ResManager::GetInstance()->GetImage(image_id)))
    return;
  static constexpr Handle kDrawOrder[] = {
      Handle::kLeft,    Handle::kTop,      Handle::kRight,      Handle::kBottom,
      Handle::kTopLeft, Handle::kTopRight, Handle::kBottomLeft, Handle::kBottomRight};
  for (Handle handle : kDrawOrder) {
    const RECT& hit = model_.handle_rect(handle);
    const RECT drawn = {hit.left, hit.top, hit.left + sprite.width(), hit.top + sprite.height()};
    RECT common = {};
    if (IntersectRect(&common, &drawn, &area))
      sprite.Draw(mem_dc_.get(), hit.left, hit.top);
  }
}

RECT CaptureWindow::LayOutSizeLabel() {
  RECT toolbar = {};
  const bool toolbar_shown = GetToolbarTarget(&toolbar);
  return size_label_.Layout(mem_dc_.get(), model_.selection(), desktop_.width(),
                            toolbar_shown ? &toolbar : nullptr);
}

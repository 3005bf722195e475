#pragma once

#include <windows.h>

#include <cstdint>

#include "base/memory_bitmap.h"
#include "overlay/dirty_rects.h"
#include "overlay/kept_shapes_picture.h"
#include "overlay/overlay_scene.h"
#include "overlay/overlay_sprite.h"
#include "overlay/size_label.h"

// Composes the frames of the capture overlay: the frozen picture dimmed, the selection in
// clear with its shapes, frame, handles and size label over it. Each frame is composed in
// the back buffer the capture window gives it, and only the areas where it may differ from
// the last frame are composed anew and shown. Owns what it makes to compose frames fast:
// the dimmed picture, the picture with the kept shapes, the handle sprites and the size
// label. The capture window owns the compositor, the frozen picture and the back buffer.
// UI thread only.
class OverlayCompositor {
 public:
  OverlayCompositor() = default;
  OverlayCompositor(const OverlayCompositor&) = delete;
  OverlayCompositor& operator=(const OverlayCompositor&) = delete;

  // Composes frames of `picture` into `frame`, both 32-bit pictures with rows top-down,
  // `size` large, owned by the caller and alive until the next Attach or Release. The first
  // frame composes the whole of it.
  void Attach(const base::MemoryBitmap& picture, const base::MemoryBitmap& frame, SIZE size);
  // Lets go of the DCs and of what was made for earlier frames; the next frame starts anew.
  void Release();

  // The next frame composes `area` anew, whatever changed.
  void MarkDirty(const RECT& area);
  // The kept shapes on `selection` changed: the next frame paints them again.
  void ShapesChanged(const RECT& selection);

  // Composes the frame of `scene`, anew where it may differ from the last one, and copies
  // those areas to `window_dc`.
  void Paint(HDC window_dc, const OverlayScene& scene);

  // Composes the whole frame of `scene` into `target` the straightforward way, using nothing
  // made for earlier frames: the picture dimmed anew and every shape painted in one pass.
  // Every frame Paint shows must hold the very same pixels. False when the shapes could not
  // be painted, and the selection shows blank.
  bool ComposeWhole(HDC target, const OverlayScene& scene);

 private:
  // What one frame draws, besides the selection and its decorations.
  struct FrameContent {
    // The kept shapes come from kept_picture_ rather than being painted.
    bool kept_shapes_ready;
    // So does the shape being drawn, which paints piece by piece.
    bool stroke_ready;
    // The picture is dimmed by the system's blend, as the straightforward composition does
    // it, rather than from picture's pixels into frame's.
    bool dim_by_blend;
    // Where the size label goes; empty without one.
    RECT label;
  };
  // What the last frame drew over the dimmed picture, which the next one must put back.
  struct FrameRecord {
    RECT selection;
    Decoration decoration;
    base::DpiScale decoration_scale;
    RECT label;
    RECT shape;
  };

  RECT screen() const { return {0, 0, size_.cx, size_.cy}; }
  // Brings kept_picture_ up to date; `changed` receives where it changed beyond the kept
  // shapes. True when it holds the kept shapes.
  bool UpdateKeptPicture(const OverlayScene& scene, Drawing* stroke, RECT* changed);
  // Where the size label of `scene` goes, measured on `dc`; empty without one.
  RECT LayOutLabel(HDC dc, const OverlayScene& scene);
  RECT CurrentShapeArea(const OverlayScene& scene, const FrameContent& content) const;
  DirtyRects DirtyAreas(const OverlayScene& scene, const RECT& label, const RECT& shape) const;
  // The frame's pixels in `area` of `target`, as a composition of the whole frame makes
  // them; false when the shapes could not be painted there.
  bool ComposeArea(HDC target,
                   const RECT& area,
                   const OverlayScene& scene,
                   const FrameContent& content);
  // Puts `area` of `target` (the frame unless by blend) back to the dimmed picture.
  void RestoreDimmed(HDC target, const RECT& area, bool dim_by_blend);
  bool DrawShapes(HDC dc, const OverlayScene& scene, const FrameContent& content);
  void DrawFrameAndHandles(HDC dc, const OverlayScene& scene, const RECT& area);
  // `sprite` made of image `image_id` at the size of the handle `hit`, unless it is already.
  static bool PrepareHandle(OverlaySprite& sprite, int image_id, const RECT& hit);
  void DrawHandles(HDC dc,
                   OverlaySprite& sprite,
                   int image_id,
                   const OverlayScene& scene,
                   const RECT& area);

  HDC picture_ = nullptr;
  const uint32_t* picture_pixels_ = nullptr;
  HDC frame_ = nullptr;
  uint32_t* frame_pixels_ = nullptr;
  SIZE size_ = {};
  FrameRecord last_frame_ = {};
  // An area the next frame composes anew whatever changed (all of it at first).
  RECT to_compose_ = {};
  KeptShapesPicture kept_picture_;
  SizeLabel size_label_;
  OverlaySprite settled_handle_;
  OverlaySprite dragging_handle_;
};

#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class PaintContext;

// An annotation shape on the selected area: a list of points collected during a mouse drag,
// a width and a colour, painted on demand onto the device context it is given. Shapes know
// nothing of windows, tools or the picker. They are heap objects owned by the capture
// window, made by CreateDrawing and destroyed through this base. UI thread only.
class Drawing {
 public:
  Drawing() = default;
  virtual ~Drawing() = default;

  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  // Called on every repaint, and during the drag after the first point, with `clipRect`
  // already set to the selection and `context` that of the painting pass the call is part
  // of. Leaves no object of its own selected into `dc` and keeps nothing device-dependent
  // after it returns.
  virtual void Draw(HDC dc, PaintContext& context) = 0;

  // Called by the painter of a frame: whether Draw reads the pixels beneath the shape, so
  // that what it paints depends on what lies around it as well.
  virtual bool ReadsPixelsBeneath() const { return false; }

  // Called by the painter of a frame for the shape being drawn: whether Draw paints it piece
  // after piece, each over what the pieces before it left and no pixel twice, so that a frame
  // can paint only the pieces of the points added since the last one (DrawFrom) on a picture
  // that holds the earlier ones.
  virtual bool PaintsPieceByPiece() const { return false; }

  // Called in a painting pass that goes on from one which painted the pieces before point
  // `first`: paints the pieces from there on. Only for a shape that paints piece by piece.
  virtual void DrawFrom(HDC /*dc*/, PaintContext& /*context*/, size_t /*first*/) {}

  // Called by the painter of a frame: the area Draw paints within, as far as the shape can
  // tell from its points; nothing when it may paint anywhere in `clipRect`.
  virtual std::optional<RECT> PaintBounds() const { return std::nullopt; }

  // Called for the button-down point, every mouse move and the button-up point.
  virtual void AddPoint(POINT point) { points.push_back(point); }

  // Called once on button-up, after the last AddPoint.
  virtual void EndDraw() {}

  // Called after EndDraw: whether the shape is worth keeping.
  virtual bool IsValid() { return true; }

  // Called when the text box drawn for the shape closes with `text` typed in `font` (the
  // caller keeps it): a shape that shows text takes both and says true; others say false.
  virtual bool FinishTyping(const std::wstring& /*text*/, HFONT /*font*/) { return false; }

  // Whether the shape shows a number of the sequence 1, 2, 3, ... of such shapes: its maker
  // sets `number` to one more than the kept shapes that count before the first point.
  virtual bool Counts() const { return false; }

  // Line width in pixels.
  int width = 0;
  // Radius of a mosaic disc in pixels.
  int mosaicSize = 12;
  // GDI colour value 0x00BBGGRR, set by the creator before the first Draw.
  COLORREF color = 0;
  // The area the shape is painted within (the selection).
  RECT clipRect = {};
  // The drag positions, in capture-window client coordinates (screen coordinates).
  std::vector<POINT> points;
  // Set by the maker before each AddPoint while Shift is held: a stroke that can go straight
  // goes straight from its first point.
  bool straight = false;
  // The shape's place in the sequence, for a shape that counts.
  int number = 0;
};

#pragma once

#include <string>

#include "base/scoped_gdi_object.h"
#include "drawing/drawing.h"

// A block of text placed on the selection. While the capture window's edit box is open the
// shape only marks its place with a dash-dot frame around the box; once editing ends it
// draws `text` word-wrapped inside the rectangle of its first and last point, with a
// transparent background, in its own copy of the edit box's font. Owned by the capture
// window; UI thread.
class KText : public Drawing {
 public:
  // Called on every repaint: the frame while editing, then the text when there is any.
  void Draw(HDC dc, PaintContext& context) override;

  // Called after editing ends: a text shape without text is not kept.
  bool IsValid() override;

  // Takes the typed text and a copy of its font; editing ends.
  bool FinishTyping(const std::wstring& typed, HFONT typed_font) override;

  // Makes the shape's own copy of `font`; the caller keeps `font`. Replaces (and deletes)
  // the copy held before.
  void SetFont(HFONT font);

  // The copy of the font the text is drawn with; null until SetFont.
  base::ScopedFont font;
  std::wstring text;
  // True while the edit box for this shape is open; never becomes true again.
  bool editing = true;

 private:
  void DrawEditFrame(HDC dc, const RECT& box);
  void DrawWrappedText(HDC dc, RECT box);
};

#pragma once

#include <windows.h>

#include <optional>

// How a text measures in the edit box's font.
class EditTextMetrics {
 public:
  virtual ~EditTextMetrics() = default;
  // The height of one line.
  virtual int LineHeight() const = 0;
  // The widest line and the number of lines, each line kept whole.
  virtual SIZE Unwrapped() const = 0;
  // The number of lines when the text wraps at `width` pixels.
  virtual int LinesWrappedAt(int width) const = 0;
};

// The text tool's edit box for its top-left corner `origin` and its text: as wide as the
// widest line plus 20 pixels and one line taller than its lines plus 10, never closer than 3
// pixels to the selection's right and bottom edges. A box that would reach past them moves
// left or up inside the selection, and one wider than the selection wraps its text at the
// selection's width. Nothing when the text does not fit in the selection even so.
std::optional<RECT> LayOutEditBox(POINT origin, const EditTextMetrics& text, const RECT& selection);

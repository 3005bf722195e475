#pragma once

#include <windows.h>

#include <vector>

// The visible windows of the desktop and their visible descendants, with their rectangles
// and their stacking order, read once as the session starts (just after its first frame,
// which covers them, so they are as the frozen picture shows them): what a click
// on the picture selects is what the picture shows there, whatever the live desktop has
// done since, and finding it walks a list rather than the live window tree. Owned by the
// capture window. UI thread only.
class WindowMap {
 public:
  // Reads the desktop's windows now, but for the top-level windows in `left_out` (the
  // program's own, which the frozen picture does not show).
  static WindowMap Read(const std::vector<HWND>& left_out);

  // The rectangle of the window at `point`: of the topmost window that contains it, of the
  // topmost of that window's children that contains it, and so on down. False when no
  // window contains the point.
  bool RectAt(POINT point, RECT* rect) const;

 private:
  struct Node {
    RECT rect;
    std::vector<Node> children;
  };

  static std::vector<Node> ReadChildren(HWND parent, const std::vector<HWND>& left_out);

  std::vector<Node> windows_;
};

#pragma once

#include <windows.h>

#include <vector>

// The visible windows of the desktop and their visible descendants, with their rectangles
// and their stacking order, as they were when the frozen picture was taken: what a click
// on the picture selects is what the picture shows there, whatever the live desktop has
// done since, and finding it walks a list rather than the live window tree. Owned by the
// capture window. UI thread only.
class WindowMap {
 public:
  // Reads the desktop's windows now.
  static WindowMap Read();

  // The rectangle of the window at `point`: of the topmost window that contains it, of the
  // topmost of that window's children that contains it, and so on down. False when no
  // window contains the point.
  bool RectAt(POINT point, RECT* rect) const;

 private:
  struct Node {
    RECT rect;
    std::vector<Node> children;
  };

  static std::vector<Node> ReadChildren(HWND parent);

  std::vector<Node> windows_;
};

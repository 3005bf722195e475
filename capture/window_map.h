#pragma once

#include <windows.h>

#include <vector>

// The visible windows of the desktop and their visible descendants, with their rectangles
// and their stacking order, as the frozen picture shows them: what a click on the picture
// selects is what the picture shows there, whatever the live desktop has done since, and
// finding it walks a list rather than the live window tree. Owned by the capture window. UI
// thread only.
//
// Read in two steps. The top-level windows are read with the copy of the screen: they are
// what most likely changes as the session starts (menus and tooltips close when its window
// takes the focus). Their descendants, many more on a busy desktop and each a question to
// the window system, are read once the first frame shows, so as not to delay it, and are
// placed as their top-level window was when it was read.
class WindowMap {
 public:
  // Reads the desktop's top-level windows now.
  static WindowMap ReadTopLevel();

  // Reads the descendants of the top-level windows, the first time only.
  void ReadDescendants();
  bool descendants_read() const { return descendants_read_; }

  // The rectangle of the window at `point`: of the topmost window that contains it, of the
  // topmost of that window's children that contains it, and so on down. False when no
  // window contains the point.
  bool RectAt(POINT point, RECT* rect) const;

 private:
  struct Node {
    HWND window;
    RECT rect;
    std::vector<Node> children;
  };

  // The visible children of `parent`, topmost first, with their descendants when
  // `descend`.
  static std::vector<Node> ReadChildren(HWND parent, bool descend);
  static void Offset(std::vector<Node>* nodes, int dx, int dy);

  std::vector<Node> windows_;
  bool descendants_read_ = false;
};

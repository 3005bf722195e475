#pragma once

#include <windows.h>

#include <vector>

// The areas of a frame that must be composed anew, gathered as rectangles and merged where
// that costs few extra pixels, so that a frame touches and sends to the screen only what
// changed rather than the box around it.
class DirtyRects {
 public:
  // Adds `area`; an empty one adds nothing.
  void Add(const RECT& area);
  // Adds the four strips `reach` pixels either side of the edges of `selection`, where its
  // frame and handles lie.
  void AddEdges(const RECT& selection, int reach);
  // Adds the pixels that lie in one of `a` and `b` but not in both.
  void AddDifference(const RECT& a, const RECT& b);

  // The rectangles, none empty, merged with each other where their bounding box is not much
  // larger than the two together.
  std::vector<RECT> Merged() const;

 private:
  // Adds what of `from` lies outside `hole`, in up to four rectangles.
  void AddOutside(const RECT& from, const RECT& hole);

  std::vector<RECT> rects_;
};

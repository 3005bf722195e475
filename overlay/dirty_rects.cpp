#include "overlay/dirty_rects.h"

#include <cstdint>

namespace {

// Merging two rectangles may add this many pixels that need no composing.
constexpr int64_t kMergeSlack = 4096;

int64_t Area(const RECT& r) {
  return static_cast<int64_t>(r.right - r.left) * (r.bottom - r.top);
}

bool WorthMerging(const RECT& a, const RECT& b) {
  RECT both = {};
  UnionRect(&both, &a, &b);
  RECT common = {};
  const int64_t shared = IntersectRect(&common, &a, &b) ? Area(common) : 0;
  return Area(both) <= Area(a) + Area(b) - shared + kMergeSlack;
}

}  // namespace

void DirtyRects::Add(const RECT& area) {
  if (!IsRectEmpty(&area))
    rects_.push_back(area);
}

void DirtyRects::AddEdges(const RECT& selection, int reach) {
  if (IsRectEmpty(&selection))
    return;
  const RECT& s = selection;
  Add({s.left - reach, s.top - reach, s.right + reach, s.top + reach});
  Add({s.left - reach, s.bottom - reach, s.right + reach, s.bottom + reach});
  Add({s.left - reach, s.top + reach, s.left + reach, s.bottom - reach});
  Add({s.right - reach, s.top + reach, s.right + reach, s.bottom - reach});
}

void DirtyRects::AddDifference(const RECT& a, const RECT& b) {
  AddOutside(a, b);
  AddOutside(b, a);
}

void DirtyRects::AddOutside(const RECT& from, const RECT& hole) {
  RECT common = {};
  if (!IntersectRect(&common, &from, &hole)) {
    Add(from);
    return;
  }
  Add({from.left, from.top, from.right, common.top});
  Add({from.left, common.bottom, from.right, from.bottom});
  Add({from.left, common.top, common.left, common.bottom});
  Add({common.right, common.top, from.right, common.bottom});
}

std::vector<RECT> DirtyRects::Merged() const {
  std::vector<RECT> merged = rects_;
  bool changed = true;
  while (changed) {
    changed = false;
    for (size_t i = 0; i < merged.size() && !changed; ++i) {
      for (size_t j = i + 1; j < merged.size(); ++j) {
        if (WorthMerging(merged[i], merged[j])) {
          UnionRect(&merged[i], &merged[i], &merged[j]);
          merged.erase(merged.begin() + static_cast<std::ptrdiff_t>(j));
          changed = true;
          break;
        }
      }
    }
  }
  return merged;
}

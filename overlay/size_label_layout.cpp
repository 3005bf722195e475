#include "overlay/size_label_layout.h"

namespace {

// The label is measured with a larger font than it is drawn with; these margins and the
// final trim turn the measured text into the label's box.
constexpr int kTextPadding = 14;
constexpr int kGapAbove = 2;
constexpr int kGapInside = 2;
constexpr int kToolbarDodge = 47;
constexpr int kRightTrim = 40;
constexpr int kBackgroundMargin = 4;

}  // namespace

RECT LayOutSizeLabel(const RECT& selection,
                     SIZE text,
                     const RECT& monitor,
                     const RECT* toolbar,
                     int background_height) {
  const int l = selection.left;
  const int t = selection.top;
  RECT label = {l, t - text.cy - 6, l + text.cx + kTextPadding, t - kGapAbove};
  if (label.top < monitor.top) {
    label.top = t + kGapInside;
    label.bottom = t + text.cy + 4;
  }
  if (label.right > monitor.right) {
    label.right = l;
    label.left = l - text.cx - kTextPadding;
  }
  RECT overlap = {};
  if (toolbar && IntersectRect(&overlap, toolbar, &label)) {
    const int height = label.bottom - label.top;
    if (label.top - kToolbarDodge < monitor.top) {
      label.top = toolbar->bottom + 2;
      label.bottom = label.top + height;
    } else {
      OffsetRect(&label, 0, -kToolbarDodge);
    }
  }
  InflateRect(&label, 0, -1);
  label.right -= kRightTrim;
  label.top = label.bottom - background_height - kBackgroundMargin;
  return label;
}

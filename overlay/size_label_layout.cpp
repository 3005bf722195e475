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
                     int background_height,
                     base::DpiScale scale) {
  const int l = selection.left;
  const int t = selection.top;
  const int padding = scale.Scale(kTextPadding);
  RECT label = {l, t - text.cy - scale.Scale(6), l + text.cx + padding, t - scale.Scale(kGapAbove)};
  if (label.top < monitor.top) {
    label.top = t + scale.Scale(kGapInside);
    label.bottom = t + text.cy + scale.Scale(4);
  }
  if (label.right > monitor.right) {
    label.right = l;
    label.left = l - text.cx - padding;
    // A narrow monitor may have no room left of the selection either: the label then starts
    // at its left edge, over the selection.
    if (label.left < monitor.left)
      OffsetRect(&label, monitor.left - label.left, 0);
  }
  RECT overlap = {};
  if (toolbar && IntersectRect(&overlap, toolbar, &label)) {
    const int height = label.bottom - label.top;
    const int dodge = scale.Scale(kToolbarDodge);
    if (label.top - dodge < monitor.top) {
      label.top = toolbar->bottom + scale.Scale(2);
      label.bottom = label.top + height;
    } else {
      OffsetRect(&label, 0, -dodge);
    }
  }
  InflateRect(&label, 0, -scale.Scale(1));
  label.right -= scale.Scale(kRightTrim);
  label.top = label.bottom - background_height - scale.Scale(kBackgroundMargin);
  return label;
}

#include "dui/root_view.h"

#include "dui/widget.h"

namespace dui {

RootView::RootView(Widget* widget) : widget_(widget) {}

RootView::~RootView() {
  DeleteChildViews();
}

void RootView::SchedulePaintInRect(const Rectangle& rect) {
  const bool was_empty = dirtyRect_.IsEmpty();
  Rectangle inside;
  if (rect.IsEmpty() || !rect.Intersect(GetLocalBounds(), &inside))
    return;
  dirtyRect_ = was_empty ? inside : dirtyRect_.Union(inside);
  // Without a window nothing can be painted; a later Show asks for everything again.
  if (was_empty && !widget_->PostPaintRequest())
    dirtyRect_ = Rectangle();
}

Widget* RootView::GetWidget() {
  return widget_;
}

Widget* RootView::GetWidget() const {
  return widget_;
}

Rectangle RootView::TakeDirtyRect() {
  const Rectangle dirty = dirtyRect_;
  dirtyRect_ = Rectangle();
  return dirty;
}

}  // namespace dui

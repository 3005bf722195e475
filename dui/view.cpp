#include "dui/view.h"

#include <algorithm>
#include <utility>

#include "base/assert.h"
#include "dui/click_listener.h"
#include "dui/key_listener.h"
#include "dui/widget.h"

namespace dui {
namespace {

constexpr int kCaptionHitCode = HTCAPTION;
constexpr int kNotHandledHitCode = 0;

}  // namespace

View::View() = default;

View::~View() {
  DeleteChildViews();
}

void View::DeleteChildViews() {
  for (std::unique_ptr<View>& child : children_)
    child.reset();
  children_.clear();
}

void View::SchedulePaintInRect(const Rectangle& rect) {
  Rectangle visible;
  if (!rect.Intersect(GetLocalBounds(), &visible))
    return;
  PICTOR_ASSERT(parent_, "view");
  if (parent_)
    parent_->SchedulePaintInRect(visible.Offset(bounds_.x, bounds_.y));
}

Widget* View::GetWidget() {
  return static_cast<const View*>(this)->GetWidget();
}

Widget* View::GetWidget() const {
  return parent_ ? parent_->GetWidget() : nullptr;
}

void View::Paint(Gdiplus::Graphics& g, const Rectangle& clip) {
  const Gdiplus::GraphicsState state = g.Save();
  if (bounds_.x != 0 || bounds_.y != 0) {
    g.TranslateTransform(static_cast<Gdiplus::REAL>(bounds_.x),
                         static_cast<Gdiplus::REAL>(bounds_.y), Gdiplus::MatrixOrderPrepend);
  }
  g.IntersectClip(clip.ToGdiplus());
  OnPaint(g);
  for (const std::unique_ptr<View>& child : children_) {
    if (!child->IsVisible())
      continue;
    Rectangle child_clip;
    if (!child->GetBounds().Intersect(clip, &child_clip))
      continue;
    child->Paint(g, child_clip.Offset(-child->GetX(), -child->GetY()));
  }
  g.Restore(state);
}

void View::OnPaint(Gdiplus::Graphics&) {}

void View::OnKeyReleased(int virtual_key) {
  if (keyListener_)
    keyListener_->OnKeyReleased(virtual_key);
}

void View::OnKeyPressed(int virtual_key) {
  if (keyListener_)
    keyListener_->OnKeyPressed(virtual_key);
}

bool View::OnSetCursor(const Point&) {
  if (!handCursor_)
    return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

int View::GetHitTestCode(const Point&) {
  return draggable_ ? kCaptionHitCode : kNotHandledHitCode;
}

void View::OnMouseEntered(const Point&) {
  if (hoverListener_)
    hoverListener_->OnClick(this);
}

void View::OnMouseMoved(const Point&) {}

void View::OnMousePressed(const Point&) {}

void View::OnMouseReleased(const Point&) {
  if (clickListener_)
    clickListener_->OnClick(this);
}

void View::OnMouseExited() {}

void View::OnNotify() {
  if (!visible_ || !enabled_)
    return;
  for (auto child = children_.rbegin(); child != children_.rend(); ++child)
    (*child)->OnNotify();
}

void View::OnCommand(int wparam, int lparam) {
  if (!visible_ || !enabled_)
    return;
  for (auto child = children_.rbegin(); child != children_.rend(); ++child)
    (*child)->OnCommand(wparam, lparam);
}

void View::OnAppMessage() {}

void View::OnRemovedFromWidget(Widget* widget) {
  for (const std::unique_ptr<View>& child : children_)
    child->OnRemovedFromWidget(widget);
}

void View::AddChildView(View* child) {
  AddChildViewAt(child, GetChildViewCount());
}

void View::AddChildViewAt(View* child, int index) {
  PICTOR_ASSERT(child != NULL, "view");
  if (!child)
    return;
  PICTOR_ASSERT(child->parent_ == NULL, "view");
  child->parent_ = this;
  const int position = std::clamp(index, 0, GetChildViewCount());
  children_.emplace(children_.begin() + position, child);
}

void View::DetachChild(View* child, Widget* widget) {
  child->OnRemovedFromWidget(widget);
  child->parent_ = nullptr;
  if (widget)
    widget->ViewRemoved(child);
}

void View::RemoveChildView(View* child) {
  auto found = FindChild(child);
  if (found == children_.end())
    return;
  DetachChild(child, GetWidget());
  // Taken out of the list before it dies, so that its destructor sees a consistent tree.
  found = FindChild(child);
  if (found == children_.end())
    return;
  std::unique_ptr<View> removed = std::move(*found);
  children_.erase(found);
}

void View::RemoveAllChildViews() {
  Widget* widget = GetWidget();
  std::vector<std::unique_ptr<View>> removed = std::move(children_);
  children_.clear();
  for (std::unique_ptr<View>& child : removed) {
    DetachChild(child.get(), widget);
    child.reset();
  }
}

View::ChildList::iterator View::FindChild(const View* child) {
  return std::find_if(children_.begin(), children_.end(),
                      [child](const std::unique_ptr<View>& c) { return c.get() == child; });
}

View* View::GetChildViewAt(int index) const {
  if (index < 0 || index >= GetChildViewCount())
    return nullptr;
  return children_[index].get();
}

void View::SetBounds(int x, int y, int width, int height) {
  bounds_ = {x, y, width, height};
}

void View::SchedulePaint() {
  SchedulePaintInRect(GetLocalBounds());
}

View* View::GetViewForPoint(const Point& point) {
  if (!visible_ || !enabled_ || !bounds_.Contains(point))
    return nullptr;
  const Point local = {point.x - bounds_.x, point.y - bounds_.y};
  for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
    if (View* found = (*child)->GetViewForPoint(local))
      return found;
  }
  return this;
}

View* View::GetViewByID(int id) {
  if (children_.empty())
    return id_ == id ? this : nullptr;
  for (const std::unique_ptr<View>& child : children_) {
    if (View* found = child->GetViewByID(id))
      return found;
  }
  return nullptr;
}

void View::SetAlpha(uint8_t alpha, AlphaScope scope) {
  alpha_ = alpha;
  if (scope != AlphaScope::kSubtree)
    return;
  for (const std::unique_ptr<View>& child : children_)
    child->SetAlpha(alpha, scope);
}

Point View::RootOrigin() const {
  Point origin;
  for (const View* view = this; view; view = view->parent_) {
    origin.x += view->bounds_.x;
    origin.y += view->bounds_.y;
  }
  return origin;
}

Point View::ConvertPointToRoot(const Point& point) const {
  const Point origin = RootOrigin();
  return {point.x + origin.x, point.y + origin.y};
}

Point View::ConvertPointFromRoot(const Point& point) const {
  const Point origin = RootOrigin();
  return {point.x - origin.x, point.y - origin.y};
}

Rectangle View::ConvertRectToRoot(const Rectangle& rect) const {
  const Point origin = RootOrigin();
  return rect.Offset(origin.x, origin.y);
}

Rectangle View::GetScreenBounds() const {
  const Rectangle in_root = ConvertRectToRoot(GetLocalBounds());
  const Widget* widget = GetWidget();
  if (!widget)
    return in_root;
  return widget->RootToScreen(in_root);
}

}  // namespace dui

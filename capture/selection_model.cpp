#include "capture/selection_model.h"

#include <algorithm>
#include <cstdlib>

namespace {

using State = SelectionState;

// A press tries the corners first and the bottom and right edges before the top and left;
// a hover tries the left and right edges before the top and bottom.
constexpr Handle kPressOrder[kHandleCount] = {
    Handle::kTopLeft, Handle::kBottomRight, Handle::kTopRight, Handle::kBottomLeft,
    Handle::kBottom,  Handle::kRight,       Handle::kTop,      Handle::kLeft};
constexpr Handle kHoverOrder[kHandleCount] = {
    Handle::kTopLeft, Handle::kBottomRight, Handle::kTopRight, Handle::kBottomLeft,
    Handle::kLeft,    Handle::kRight,       Handle::kTop,      Handle::kBottom};
// The pointer over each handle, in the order of Handle.
constexpr PointerShape kHandlePointers[kHandleCount] = {
    PointerShape::kSizeNwse, PointerShape::kSizeNesw, PointerShape::kSizeNesw,
    PointerShape::kSizeNwse, PointerShape::kSizeWe,   PointerShape::kSizeNs,
    PointerShape::kSizeWe,   PointerShape::kSizeNs};

// Hit rectangles are 5 pixels square while a selection is dragged out, else 6.
constexpr int kDraggingHandleSize = 5;
constexpr int kSettledHandleSize = 6;

bool Contains(const RECT& rect, POINT point) {
  return PtInRect(&rect, point) != FALSE;
}

bool SamePoint(POINT a, POINT b) {
  return a.x == b.x && a.y == b.y;
}

}  // namespace

Decoration SelectionModel::decoration() const {
  if (state_ == State::kDetecting || state_ == State::kPressed)
    return Decoration::kHighlight;
  if (state_ == State::kSelecting)
    return Decoration::kDraggingHandles;
  return Decoration::kSettledHandles;
}

bool SelectionModel::Highlight(const RECT& window) {
  const RECT before = selection_;
  if (!IntersectRect(&selection_, &window, &area_))
    selection_ = {};
  return !EqualRect(&before, &selection_);
}

bool SelectionModel::Shows(POINT point) const {
  return shown_.empty() || std::any_of(shown_.begin(), shown_.end(),
                                       [&](const RECT& part) { return Contains(part, point); });
}

bool SelectionModel::Press(POINT point) {
  if (state_ == State::kDetecting) {
    if (!Shows(point))
      return false;
    anchor_ = point;
    state_ = State::kPressed;
    return false;
  }
  if (!IsIdleWithSelection())
    return false;
  const int handle = HandleAt(point, kPressOrder);
  if (handle < kHandleCount) {
    StartResize(static_cast<Handle>(handle));
    state_ = State::kResizePressed;
    return false;
  }
  if (Contains(selection_, point)) {
    anchor_ = point;
    state_ = State::kMovePressed;
    return false;
  }
  if (!Shows(point))
    return false;
  anchor_ = point;
  state_ = State::kPressed;
  return true;
}

bool SelectionModel::Drag(POINT point) {
  const RECT before = selection_;
  switch (state_) {
    case State::kPressed:
    case State::kSelecting:
      if (SamePoint(point, anchor_))
        return false;
      state_ = State::kSelecting;
      SpanTo(point);
      break;
    case State::kMovePressed:
    case State::kMoving:
      state_ = State::kMoving;
      MoveTo(point);
      break;
    case State::kResizePressed:
    case State::kResizing:
      state_ = State::kResizing;
      SpanTo(point);
      break;
    default:
      return false;
  }
  PlaceHandles();
  return !EqualRect(&before, &selection_);
}

bool SelectionModel::Release(POINT point) {
  switch (state_) {
    case State::kPressed:
    case State::kSelecting:
      // A click on the highlighted window selects it; elsewhere it is given up.
      if (!SamePoint(point, anchor_) ||
          (!IsRectEmpty(&selection_) && Contains(selection_, point))) {
        state_ = State::kSelected;
        PlaceHandles();
        return false;
      }
      state_ = State::kDetecting;
      return !IsRectEmpty(&selection_);
    case State::kMovePressed:
    case State::kMoving:
      state_ = State::kMoved;
      return false;
    case State::kResizePressed:
    case State::kResizing:
      state_ = State::kResized;
      return false;
    default:
      return false;
  }
}

bool SelectionModel::Nudge(int dx, int dy) {
  if (!IsIdleWithSelection())
    return false;
  const RECT before = selection_;
  MoveTo({anchor_.x + dx, anchor_.y + dy});
  PlaceHandles();
  return !EqualRect(&before, &selection_);
}

void SelectionModel::ChooseTool(bool tool_chosen, bool has_shapes) {
  state_ = tool_chosen ? State::kAnnotating : (has_shapes ? State::kAnnotated : State::kSelected);
}

void SelectionModel::ShapesAllTakenBack() {
  if (state_ == State::kAnnotated)
    state_ = State::kSelected;
}

void SelectionModel::ShapePutBack() {
  if (state_ != State::kAnnotating)
    state_ = State::kAnnotated;
}

bool SelectionModel::IsDragging() const {
  return state_ == State::kPressed || state_ == State::kSelecting ||
         state_ == State::kMovePressed || state_ == State::kMoving ||
         state_ == State::kResizePressed || state_ == State::kResizing;
}

bool SelectionModel::IsIdleWithSelection() const {
  return state_ == State::kSelected || state_ == State::kMoved || state_ == State::kResized;
}

bool SelectionModel::CanChangeShapes() const {
  return IsIdleWithSelection() || state_ == State::kAnnotating || state_ == State::kAnnotated;
}

bool SelectionModel::HasToolbar() const {
  return state_ != State::kDetecting && state_ != State::kPressed && state_ != State::kSelecting &&
         state_ != State::kResizePressed && state_ != State::kResizing;
}

bool SelectionModel::ShowsSize() const {
  return !IsRectEmpty(&selection_) && state_ != State::kDetecting;
}

std::optional<PointerShape> SelectionModel::PointerAt(POINT point) const {
  switch (state_) {
    case State::kDetecting:
    case State::kAnnotated:
      return PointerShape::kArrow;
    case State::kMovePressed:
    case State::kMoving:
      return PointerShape::kMove;
    case State::kSelected:
    case State::kMoved:
    case State::kResized:
    case State::kResizePressed:
    case State::kResizing: {
      const int handle = HandleAt(point, kHoverOrder);
      if (handle < kHandleCount)
        return kHandlePointers[handle];
      if (!IsIdleWithSelection())
        return std::nullopt;
      return Contains(selection_, point) ? PointerShape::kMove : PointerShape::kArrow;
    }
    default:
      return std::nullopt;
  }
}

// The anchor is the corner or edge that stays where it is.
void SelectionModel::StartResize(Handle handle) {
  const RECT& s = selection_;
  switch (handle) {
    case Handle::kTopLeft:
      anchor_ = {s.right, s.bottom};
      break;
    case Handle::kTopRight:
      anchor_ = {s.left, s.bottom};
      break;
    case Handle::kBottomLeft:
      anchor_ = {s.right, s.top};
      break;
    case Handle::kBottomRight:
      anchor_ = {s.left, s.top};
      break;
    case Handle::kLeft:
      anchor_.x = s.right;
      break;
    case Handle::kTop:
      anchor_.y = s.bottom;
      break;
    case Handle::kRight:
      anchor_.x = s.left;
      break;
    case Handle::kBottom:
      anchor_.y = s.top;
      break;
  }
  if (handle == Handle::kLeft || handle == Handle::kRight)
    resize_axis_ = ResizeAxis::kHorizontal;
  else if (handle == Handle::kTop || handle == Handle::kBottom)
    resize_axis_ = ResizeAxis::kVertical;
  else
    resize_axis_ = ResizeAxis::kBoth;
}

// A captured mouse reports points past the area (over another monitor, or past an edge the
// window does not reach); the selection keeps to the picture, which ends there.
void SelectionModel::SpanTo(POINT point) {
  const bool resizing = state_ == State::kResizePressed || state_ == State::kResizing;
  const POINT anchor = {std::clamp(anchor_.x, area_.left, area_.right),
                        std::clamp(anchor_.y, area_.top, area_.bottom)};
  const POINT to = {std::clamp(point.x, area_.left, area_.right),
                    std::clamp(point.y, area_.top, area_.bottom)};
  if (!resizing || resize_axis_ != ResizeAxis::kVertical) {
    selection_.left = std::min(anchor.x, to.x);
    selection_.right = selection_.left + std::abs(anchor.x - to.x);
  }
  if (!resizing || resize_axis_ != ResizeAxis::kHorizontal) {
    selection_.top = std::min(anchor.y, to.y);
    selection_.bottom = selection_.top + std::abs(anchor.y - to.y);
  }
}

// Pushed back inside the area with its size kept, so that it slides along an edge.
void SelectionModel::MoveTo(POINT point) {
  OffsetRect(&selection_, point.x - anchor_.x, point.y - anchor_.y);
  anchor_ = point;
  if (selection_.left < area_.left)
    OffsetRect(&selection_, area_.left - selection_.left, 0);
  if (selection_.right > area_.right)
    OffsetRect(&selection_, area_.right - selection_.right, 0);
  if (selection_.top < area_.top)
    OffsetRect(&selection_, 0, area_.top - selection_.top);
  if (selection_.bottom > area_.bottom)
    OffsetRect(&selection_, 0, area_.bottom - selection_.bottom);
}

int SelectionModel::HandleAt(POINT point, const Handle (&order)[kHandleCount]) const {
  for (Handle handle : order) {
    if (Contains(handles_[static_cast<int>(handle)], point))
      return static_cast<int>(handle);
  }
  return kHandleCount;
}

// `hit_size` pixels square, but the bottom-left one reaches 2 pixels higher. They stay as
// they were while there is no selection to handle.
base::DpiScale SelectionModel::HandleScale() const {
  const POINT corner = {selection_.left, selection_.top};
  for (size_t i = 0; i < shown_.size() && i < scales_.size(); ++i) {
    if (Contains(shown_[i], corner))
      return scales_[i];
  }
  return scales_.empty() ? base::DpiScale() : scales_.front();
}

void SelectionModel::PlaceHandles() {
  if (IsRectEmpty(&selection_) || state_ == State::kDetecting || state_ == State::kPressed)
    return;
  const base::DpiScale scale = HandleScale();
  const int hit_size =
      scale.Scale(state_ == State::kSelecting ? kDraggingHandleSize : kSettledHandleSize);
  const LONG out = scale.Scale(2);       // from the edge out to the near side of the handle
  const LONG near_end = hit_size - out;  // from the edge to the far side of the handle
  const RECT& s = selection_;
  const LONG c = (s.left + s.right) / 2;
  const LONG m = (s.top + s.bottom) / 2;
  auto at = [&](Handle handle) -> RECT& { return handles_[static_cast<int>(handle)]; };
  at(Handle::kLeft) = {s.left - out, m - out, s.left + near_end, m + near_end};
  at(Handle::kTop) = {c - out, s.top - out, c + near_end, s.top + near_end};
  at(Handle::kRight) = {s.right - out, m - out, s.right + near_end, m + near_end};
  at(Handle::kBottom) = {c - out, s.bottom - out, c + near_end, s.bottom + near_end};
  at(Handle::kTopLeft) = {s.left - out, s.top - out, s.left + near_end, s.top + near_end};
  at(Handle::kTopRight) = {s.right - near_end, s.top - out, s.right + out, s.top + near_end};
  at(Handle::kBottomLeft) = {s.left - out, s.bottom - hit_size, s.left + near_end, s.bottom + out};
  at(Handle::kBottomRight) = {s.right - near_end, s.bottom - near_end, s.right + out,
                              s.bottom + out};
}

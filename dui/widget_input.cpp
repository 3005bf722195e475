// The Widget's message handling: routing of the mouse, the keys and commands to the views.
#include <windows.h>

#include <windowsx.h>

#include <vector>

#include "dui/main_dlg.h"
#include "dui/root_view.h"
#include "dui/widget.h"
#include "dui/widget_hooks.h"

namespace dui {

bool Widget::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  // Messages of the window's creation, before Init has its host, take the default path.
  if (!host_)
    return false;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)
        return true;  // Enter and Esc never end the window
      rootView_->OnCommand(static_cast<int>(wparam), static_cast<int>(lparam));
      return false;
    case WM_DPICHANGED:
      // The owner places and scales its pop-ups by the monitor they go on; the size the
      // system suggests would undo that.
      *result = 0;
      return true;
    case WM_NCCALCSIZE:
      *result = 0;  // the whole window is client area
      return true;
    case WM_MOUSEACTIVATE:
      if (activatable_)
        return false;
      *result = MA_NOACTIVATE;
      return true;
    case WM_SETCURSOR:
      *result = TRUE;
      return OnSetCursor();
    case WM_NCHITTEST:
      return OnNcHitTest(lparam, result);
    case WM_KEYDOWN:
      if (View* content = GetContentsView())
        content->OnKeyPressed(static_cast<int>(wparam));
      return false;
    case WM_SYSCOMMAND:
      return OnSysCommand(wparam);
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanging(*reinterpret_cast<const WINDOWPOS*>(lparam));
      return false;
    case WM_TIMER:
      OnTimerTick();
      return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      OnMouseMessage(message, lparam);
      return false;
    case WM_LBUTTONDBLCLK:
      // The host's class asks for double clicks; to the views the second click is a press
      // like the first.
      OnMouseMessage(WM_LBUTTONDOWN, lparam);
      return false;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return false;
    case kPaintRequestMessage:
      OnPaintRequest();
      return false;
    case kDestroyRequestMessage:
      OnDestroyRequest();
      return true;
    case kContentNotificationMessage:
      if (View* content = GetContentsView())
        content->OnAppMessage();
      return false;
    case WM_DESTROY:
      // Destroyed by the system (with its owner) rather than by a destroy request.
      if (host_)
        DetachHost();
      return false;
    default:
      return false;
  }
}

View* Widget::HitTest(const Point& client_point) const {
  return rootView_->GetViewForPoint(client_point);
}

bool Widget::OnSetCursor() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(host_->hwnd(), &cursor);
  const Point point = ClientToRoot(cursor);
  if (WidgetHooks* hooks = Widget::hooks(); hooks && hooks->OnSetCursor(point))
    return true;
  View* view = HitTest(point);
  return view && view->OnSetCursor(point);
}

bool Widget::OnNcHitTest(LPARAM screen_point, LRESULT* result) {
  POINT cursor = {GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
  ScreenToClient(host_->hwnd(), &cursor);
  const Point point = ClientToRoot(cursor);
  View* view = HitTest(point);
  if (!view || !view->IsEnabled())
    return false;
  const int code = view->GetHitTestCode(point);
  if (code == 0)
    return false;
  *result = code;
  return true;
}

bool Widget::OnSysCommand(WPARAM command) {
  bool handled = false;
  const std::vector<WindowObserver*> observers = windowObservers_;
  for (WindowObserver* observer : observers)
    handled = observer->OnSysCommand(static_cast<int>(command)) || handled;
  if (handled)
    return true;
  if ((command & 0xFFF0) != SC_CLOSE)
    return false;
  // A window that ignores the mouse cannot be closed by the user either.
  if (mouseEnabled_)
    Close();
  return true;
}

void Widget::OnWindowPosChanging(const WINDOWPOS& position) {
  if (position.flags & SWP_NOMOVE)
    return;
  const std::vector<WindowObserver*> observers = windowObservers_;
  for (WindowObserver* observer : observers)
    observer->OnWindowMoved(position.x, position.y, position.cx, position.cy);
}

void Widget::OnMouseMessage(UINT message, LPARAM lparam) {
  if (!mouseEnabled_)
    return;
  const Point point = ClientToRoot({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
  if (WidgetHooks* hooks = Widget::hooks())
    hooks->OnMouseMessage(message, point);
  RouteMouse(message, point);
}

void Widget::RouteMouse(UINT message, const Point& point) {
  bool entered = false;
  if (message == WM_MOUSEMOVE && !tracking_) {
    tracking_ = true;
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, host_->hwnd(), HOVER_DEFAULT};
    TrackMouseEvent(&track);
    entered = true;
  }
  View* view = HitTest(point);
  if (!view)
    return;
  if (hoveredView_ && hoveredView_ != view)
    hoveredView_->OnMouseExited();
  if (view != hoveredView_) {
    hoveredView_ = view;
    entered = true;
  }
  if (!view->IsEnabled())
    return;
  // A press or release over a view the mouse has not come over yet (after a leave that the
  // window system reported early) is the view's all the same: it hears of the mouse first.
  if (entered)
    view->OnMouseEntered(point);
  if (message == WM_MOUSEMOVE) {
    if (!entered)
      view->OnMouseMoved(point);
  } else if (message == WM_LBUTTONDOWN) {
    view->OnMousePressed(point);
  } else {
    view->OnMouseReleased(point);
  }
}

// The mouse has left every view of the window, not only the deepest one under it: each of
// them up to the content view hears of it, deepest first.
void Widget::OnMouseLeave() {
  if (!mouseEnabled_)
    return;
  tracking_ = false;
  std::vector<View*> ancestors;
  if (hoveredView_) {
    for (View* view = hoveredView_->parent(); view && view != rootView_.get();
         view = view->parent())
      ancestors.push_back(view);
  }
  ClearHoveredView();
  for (View* view : ancestors)
    view->OnMouseExited();
}

void Widget::ClearHoveredView() {
  View* hovered = hoveredView_;
  hoveredView_ = nullptr;
  if (hovered)
    hovered->OnMouseExited();
}

void Widget::DisableMouse() {
  ClearHoveredView();
  mouseEnabled_ = false;
  // Clicks pass through to the windows below, as they would if this window were not there.
  if (host_) {
    const LONG_PTR style = GetWindowLongPtrW(host_->hwnd(), GWL_EXSTYLE);
    SetWindowLongPtrW(host_->hwnd(), GWL_EXSTYLE, style | WS_EX_TRANSPARENT);
  }
}

void Widget::ViewRemoved(View* view) {
  for (View* v = hoveredView_; v; v = v->parent()) {
    if (v == view) {
      hoveredView_ = nullptr;
      return;
    }
  }
}

}  // namespace dui

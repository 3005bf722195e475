#pragma once

#include <windows.h>

#include "dui/point.h"

namespace dui {

// The rules that the program hosting the widgets adds to all of them, handed to the
// framework once at start-up (Widget::SetHooks). Not owned by the framework; it must outlive
// every widget. UI thread only.
class WidgetHooks {
 public:
  // Called with each mouse move, button-down and button-up that a widget's window gets,
  // before its views hear of it; `client_point` is in the window's root coordinates (its
  // client area at 100 %).
  virtual void OnMouseMessage(UINT message, const Point& client_point) = 0;
  // Called when a widget's window asks for its cursor, before its views are asked; true
  // when the hook set one.
  virtual bool OnSetCursor(const Point& client_point) = 0;
  // Called after a widget has deleted itself with its window.
  virtual void OnWidgetDestroyed() = 0;

 protected:
  ~WidgetHooks() = default;
};

}  // namespace dui

#pragma once

#include "dui/point.h"

namespace dui {

class View;

// Follows the mouse over a button. Points are in the host window's client coordinates.
// Not owned by the buttons that point to it; it must outlive them.
class MouseListener {
 public:
  // Called after the button took its hover look for a mouse that came in.
  virtual void OnMouseEntered(View* sender, const Point& point) = 0;
  // Called for every further move over the button.
  virtual void OnMouseMoved(View* sender, const Point& point) = 0;
  // Called after the left button went down over the button.
  virtual void OnMousePressed(View* sender, const Point& point) = 0;
  // Called after the left button went up over the button, after its click.
  virtual void OnMouseReleased(View* sender, const Point& point) = 0;
  // Called when the mouse has left the button.
  virtual void OnMouseExited(View* sender) = 0;

 protected:
  ~MouseListener() = default;
};

}  // namespace dui

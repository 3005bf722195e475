#pragma once

namespace dui {

class View;

// Told when a view is clicked (the left button goes up over it) or, as a view's hover
// listener, when the mouse enters it. Not owned by the views that point to it; it must
// outlive them.
class ClickListener {
 public:
  // Called with the view that was clicked or entered.
  virtual void OnClick(View* sender) = 0;

 protected:
  ~ClickListener() = default;
};

}  // namespace dui

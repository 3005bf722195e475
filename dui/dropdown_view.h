#pragma once

#include <windows.h>

#include "dui/click_listener.h"
#include "dui/font_sizes.h"
#include "dui/view.h"

namespace dui {

class CommonButton;
class Widget;

// The font-size list that drops down below a size button: eight buttons "8" to "22" in a
// pop-up Widget of their own. Choosing one captions the size button with it, stores its
// index and tells the delegate. At most one list is open in the process; it is the content
// view of its widget and dies with it. UI thread only.
class DropdownView : public View, public ClickListener {
 public:
  // Told when the user has chosen a font size.
  class Delegate {
   public:
    // Called after the chosen index has been stored and the list has closed.
    virtual void OnFontSizeChanged() = 0;

   protected:
    ~Delegate() = default;
  };

  // Opens the list with its top-left corner near screen point (x, y), owned by `parent`,
  // for the size button `target`; the chosen index goes to `*font_index`. When a list is
  // open already, closes it instead, so that a second click on the size button closes it.
  static void ShowFontSizeDropdown(HWND parent,
                                   CommonButton* target,
                                   Delegate* delegate,
                                   int* font_index,
                                   int x,
                                   int y);
  // Closes the open list, if any.
  static void CloseFontSizeDropdown();
  // The widget of the open list, or null.
  static Widget* GetDropdownWidget();

  ~DropdownView() override;

  // Called when one of the items is clicked.
  void OnClick(View* sender) override;

 private:
  DropdownView(Widget* widget, CommonButton* target, Delegate* delegate, int* font_index);
  void AddItems();

  CommonButton* items_[kFontSizeCount] = {};
  Widget* widget_;
  CommonButton* targetButton_;
  Delegate* delegate_;
  int* fontIndex_;
};

}  // namespace dui

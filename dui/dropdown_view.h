#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/dpi_scale.h"
#include "dui/click_listener.h"
#include "dui/view.h"

namespace dui {

class CommonButton;
class Widget;

// A list that drops down from a button: one captioned item per entry, stacked in a pop-up
// Widget of its own that never takes the keyboard. Choosing an item closes the list and
// reports the item's index. The content view of its widget, which deletes it; whoever opens
// it keeps the pointer until it closes the list or hears that the list has closed. UI thread
// only.
class DropdownView : public View, public ClickListener {
 public:
  // What the delegate hears when the list has gone by itself without a choice.
  static constexpr int kNoChoice = -1;

  // Told when the list has closed by itself.
  class Delegate {
   public:
    // Called once the list is closing, with the index of the chosen item, or kNoChoice when
    // the list goes with the window that owns it; the list is not to be used after. Not
    // called after Close.
    virtual void OnDropdownClosed(int chosen) = 0;

   protected:
    ~Delegate() = default;
  };

  // How the list looks: its width, the items' height, the room above the first item, the
  // faces of an item (resource ids of the ResManager's images) and its caption colour.
  struct Style {
    int width;
    int item_height;
    int top_margin;
    int normal_face;
    int hover_face;
    uint32_t text_color;
  };

  // Opens a list of `items` with its top-left corner at screen point (x, y), drawn at `scale`
  // and owned by `parent`; `delegate` hears of the choice and must outlive the list or close
  // it.
  static DropdownView* Show(HWND parent,
                            const std::vector<std::wstring>& items,
                            const Style& style,
                            Delegate* delegate,
                            int x,
                            int y,
                            base::DpiScale scale);
  // The height of a list of `count` items.
  static constexpr int Height(const Style& style, int count) {
    return style.top_margin + style.item_height * count;
  }

  ~DropdownView() override;

  // Closes the list without telling the delegate.
  void Close();

  // Called when one of the items is clicked.
  void OnClick(View* sender) override;

 private:
  explicit DropdownView(Delegate* delegate);
  void AddItems(const std::vector<std::wstring>& items, const Style& style);

  std::vector<CommonButton*> items_;
  Delegate* delegate_;
};

}  // namespace dui

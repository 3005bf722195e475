#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "base/desktop_geometry.h"
#include "dui/click_listener.h"
#include "dui/key_listener.h"
#include "dui/mouse_listener.h"
#include "dui/size.h"
#include "dui/view.h"
#include "toolset/picker_settings.h"
#include "toolset/tool.h"
#include "ui/color_table_dlg.h"

namespace dui {
class CommonButton;
class Widget;
}  // namespace dui

class Tooltip;
class ToolbarDelegate;

// The strip of buttons beside the selection: one for each annotation tool of the tool table,
// then save, cancel and copy-and-finish. It hangs from its top-right corner (the anchor), opens the
// colour and size picker under or above itself for the chosen tool, names the button under the
// mouse in a tooltip, and turns clicks and keys into ToolbarDelegate commands. The content view of
// its own widget, which deletes it when the capture window closes it or is destroyed; the capture
// window keeps a pointer until then. The toolbar keeps pointers to the picker and the tooltip, each
// in a widget of its own, and closes them with itself. UI thread only.
class Toolbar : public dui::View,
                public dui::ClickListener,
                public dui::MouseListener,
                public dui::KeyListener {
 public:
  // The buttons after the tools, left to right.
  enum class Command { kSave, kCancel, kDone };
  static constexpr int kCommandCount = 3;
  static constexpr int kButtonCount = kToolCount + kCommandCount;

  // The buttons are squares a pitch apart, with a margin around the row.
  static constexpr int kButtonSize = 24;
  static constexpr int kButtonPitch = 44;
  static constexpr int kButtonMargin = 11;
  static constexpr int kWidth = 2 * kButtonMargin + kButtonPitch * (kButtonCount - 1) + kButtonSize;
  static constexpr int kWidthWithoutSave = kWidth - kButtonPitch;
  static constexpr int kHeight = 45;
  // Room the picker needs beside the toolbar.
  static constexpr int kPickerRoom = ColorTableDlg::kHeight;

  // Whether `virtual_key`, pressed now, stands for a click on a button: a tool's letter,
  // Enter or Ctrl+C.
  static bool IsButtonKey(int virtual_key) {
    return IsCopyKey(virtual_key) || ToolOfKey(virtual_key).has_value();
  }

  // The buttons' places on the toolbar, left to right: the tools, then the commands.
  static constexpr int SlotOf(Tool tool) { return static_cast<int>(tool); }
  static constexpr int SlotOf(Command command) { return kToolCount + static_cast<int>(command); }
  // The bounds of the button in `slot` on the toolbar, in the layout with or without save.
  static RECT ButtonBounds(int slot, bool with_save);

  // Makes the toolbar in a widget owned by `parent` on `desktop` and shows it topmost at
  // `scale`, with its top-right corner at screen point (x, y).
  static Toolbar* CreateToolbar(HWND parent,
                                const base::DesktopGeometry& desktop,
                                int x,
                                int y,
                                base::DpiScale scale);

  void SetDelegate(ToolbarDelegate* delegate) { delegate_ = delegate; }
  // The layout of the feedback form's sessions, which offer no save.
  void UseLayoutWithoutSave();
  // Moves the toolbar so that its top-right corner is at screen point (x, y), drawn at
  // `scale` (the scale of the monitor it goes on).
  void SetPosition(int anchor_x, int anchor_y, base::DpiScale scale);
  void SetPickerAbove(bool above) { pickerAbove_ = above; }
  bool picker_above() const { return pickerAbove_; }
  // The toolbar's size at 100 %.
  dui::Size GetToolbarSize() const { return {width_, kHeight}; }
  // Its size on the screen, at its scale.
  SIZE GetScreenSize() const;

  void Show();
  bool IsShown() const;
  // Closes the pop-up menus and hides the toolbar.
  void Hide();
  // Closes the font-size list, if it is open.
  void ClosePopupMenus();
  // Closes the font-size list and shows the tool buttons unhighlighted.
  void ResetTools();
  // Closes the toolbar, its picker, its tooltip and the font-size list for good.
  void CloseAll();
  // Disables or enables the toolbar's window and the picker's, while a modal dialog runs.
  void EnableWindows(bool enable);

  // Puts the toolbar and its pop-ups back above the window they belong to when `screen_point`
  // lies on one of them, and returns that one's window (else null). That window gets mouse
  // input at their place only when it was stacked over them.
  HWND RaiseIfCovered(POINT screen_point);
  // Puts the toolbar and its pop-ups back on top of everything.
  void BringToTop();
  // Puts them back on top when the shown toolbar lies under `window`.
  void KeepAbove(HWND window);

  // The picker while it shows, else null.
  ColorTableDlg* GetOpenPicker() const;
  Tooltip* tooltip() const { return tooltip_; }
  dui::CommonButton* button_in_slot(int slot) const { return buttons_[slot]; }
  dui::CommonButton* button(Tool tool) const { return button_in_slot(SlotOf(tool)); }
  dui::CommonButton* button(Command command) const { return button_in_slot(SlotOf(command)); }
  dui::Widget* widget() const { return widget_; }

  // Called on every repaint: the toolbar's background picture.
  void OnPaint(Gdiplus::Graphics& g) override;
  // Called when a button is clicked.
  void OnClick(dui::View* sender) override;

  using dui::View::OnMouseEntered;
  using dui::View::OnMouseExited;
  using dui::View::OnMouseMoved;
  using dui::View::OnMousePressed;
  using dui::View::OnMouseReleased;
  // Called as the mouse moves over the buttons: the tooltip follows.
  void OnMouseEntered(dui::View* sender, const dui::Point& point) override;
  void OnMouseMoved(dui::View* sender, const dui::Point& point) override;
  void OnMousePressed(dui::View* sender, const dui::Point& point) override;
  void OnMouseReleased(dui::View* sender, const dui::Point& point) override;
  void OnMouseExited(dui::View* sender) override;

  // Called for the keys that reach the toolbar, its picker or its tooltip, and for those
  // the capture window passes on: the tools' letters, Enter and Ctrl+C, and the session's
  // keys.
  void OnKeyPressed(int virtual_key) override;
  void OnKeyReleased(int virtual_key) override;

 private:
  struct ButtonFace;

  Toolbar();
  // The pictures and tooltip of the button in `slot`.
  static ButtonFace FaceOf(int slot);
  void AddButtons();
  // The button that sent a notification, or -1.
  int ButtonIndex(const dui::View* sender) const;
  void OnToolClicked(Tool tool);
  // A tool's letter, Enter or Ctrl+C; false for any other key.
  bool TakeToolbarKey(int virtual_key);
  static bool IsCopyKey(int virtual_key);
  static std::optional<Tool> ToolOfKey(int virtual_key);
  void OnCommandClicked(Command command);
  // The tooltip of the button in `slot`, shown where the mouse is: when the mouse comes onto
  // the button (`TooltipMove::kEntered`), or following it over the button.
  enum class TooltipMove { kEntered, kFollowed };
  void ShowTooltip(int slot, TooltipMove move);
  void HideTooltip();
  // The toolbar, the picker and the font-size list, those that show.
  std::vector<const dui::Widget*> ShownPopups() const;

  int anchorX_ = 0;
  int anchorY_ = 0;
  dui::CommonButton* buttons_[kButtonCount] = {};
  ToolbarDelegate* delegate_ = nullptr;
  Tooltip* tooltip_ = nullptr;
  ColorTableDlg* picker_ = nullptr;
  bool toolActive_ = false;
  bool pickerAbove_ = false;
  int width_ = kWidth;
  dui::Widget* widget_ = nullptr;
  // The desktop the toolbar and its picker show on.
  base::DesktopGeometry desktop_;
};

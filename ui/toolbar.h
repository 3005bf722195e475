#pragma once

#include <windows.h>

#include <vector>

#include "dui/click_listener.h"
#include "dui/key_listener.h"
#include "dui/mouse_listener.h"
#include "dui/size.h"
#include "dui/view.h"
#include "ui/color_table_dlg.h"
#include "ui/picker_settings.h"

namespace dui {
class CommonButton;
class Widget;
}  // namespace dui

class Tooltip;
class ToolbarDelegate;

// The strip of eight buttons beside the selection: five annotation tools, save, cancel and
// copy-and-finish. It hangs from its top-right corner (the anchor), opens the colour and
// size picker under or above itself for the chosen tool, names the button under the mouse
// in a tooltip, and turns clicks and keys into ToolbarDelegate commands. The content view
// of its own widget, which deletes it when the capture window closes it or is destroyed; the
// capture window keeps a pointer until then. The toolbar keeps pointers to the picker and
// the tooltip, each in a widget of its own, and closes them with itself. UI thread only.
class Toolbar : public dui::View,
                public dui::ClickListener,
                public dui::MouseListener,
                public dui::KeyListener {
 public:
  static constexpr int kWidth = 354;
  static constexpr int kWidthWithoutSave = 310;
  static constexpr int kHeight = 45;
  // Room the picker needs beside the toolbar.
  static constexpr int kPickerRoom = ColorTableDlg::kHeight;

  // The buttons, left to right.
  enum class Button { kRectangle, kEllipse, kArrow, kText, kMosaic, kSave, kCancel, kDone };
  static constexpr int kButtonCount = 8;

  // Makes the toolbar in a widget owned by `parent` and shows it topmost with its top-right
  // corner at screen point (x, y).
  static Toolbar* CreateToolbar(HWND parent, int x, int y);

  void SetDelegate(ToolbarDelegate* delegate) { delegate_ = delegate; }
  // The layout of the feedback form's sessions, which offer no save.
  void UseLayoutWithoutSave();
  // Moves the toolbar so that its top-right corner is at screen point (x, y).
  void SetPosition(int anchor_x, int anchor_y);
  void SetPickerAbove(bool above) { pickerAbove_ = above; }
  bool picker_above() const { return pickerAbove_; }
  dui::Size GetToolbarSize() const { return {width_, kHeight}; }

  void Show();
  bool IsShown() const;
  // Closes the pop-up menus and hides the toolbar.
  void Hide();
  // Closes the font-size list, if it is open.
  void ClosePopupMenus();
  // Closes the font-size list and shows the five tool buttons unhighlighted.
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
  dui::CommonButton* button(Button which) const { return buttons_[Index(which)]; }
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
  // the capture window passes on.
  void OnKeyPressed(int virtual_key) override;
  void OnKeyReleased(int virtual_key) override;

 private:
  struct ButtonFace;
  static const ButtonFace kButtons[kButtonCount];

  Toolbar();
  static constexpr int Index(Button which) { return static_cast<int>(which); }
  void AddButtons();
  // The button that sent a notification, or -1.
  int ButtonIndex(const dui::View* sender) const;
  void OnToolClicked(int index);
  void TellToolChosen(int index);
  PickerSettings ToolSettings(ToolKind kind) const;
  void ShowTooltip(int index, bool entered);
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
};

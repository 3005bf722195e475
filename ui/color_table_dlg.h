#pragma once

#include <windows.h>

#include "base/desktop_geometry.h"
#include "dui/click_listener.h"
#include "dui/dropdown_view.h"
#include "dui/view.h"
#include "toolset/picker_settings.h"

namespace dui {
class CommonButton;
}

class ToolbarDelegate;

// The strip that opens beside the toolbar for the chosen tool: line or mosaic sizes, or a
// font size through the drop-down list, sixteen colours and a preview of the chosen one. Its
// choices live in a settings record that the capture window copies. One per toolbar, rebuilt
// for every tool; the content view of its own widget, which deletes it. It keeps a pointer to
// its font-size list while the list is open. UI thread only.
class ColorTableDlg : public dui::View,
                      public dui::ClickListener,
                      public dui::DropdownView::Delegate {
 public:
  static constexpr int kHeight = 49;
  static constexpr int kShapeWidth = 316;
  static constexpr int kTextWidth = 271;
  static constexpr int kMosaicWidth = 219;
  // The picker's width for a settings record of tool kind `kind`.
  static int WidthFor(int32_t kind);

  // Makes the hidden picker in a widget owned by `parent` on `desktop`; `delegate` hears of
  // colour and font-size choices.
  static ColorTableDlg* CreatePicker(ToolbarDelegate* delegate,
                                     HWND parent,
                                     const base::DesktopGeometry& desktop);

  ~ColorTableDlg() override;

  // Rebuilds the picker for the record's tool kind, starting from its opening choices, and
  // shows it with its top-left corner at screen point (x, y).
  void Show(const PickerSettings& settings, int x, int y, base::DpiScale scale);
  const PickerSettings& GetSettings() const { return settings_; }
  ToolKind kind() const { return static_cast<ToolKind>(settings_.kind); }

  // Called on every repaint: background, preview and the colour swatches under the buttons.
  void OnPaint(Gdiplus::Graphics& g) override;
  // Called when one of the picker's buttons is clicked.
  void OnClick(dui::View* sender) override;
  // Called by the font-size list when it has closed: a chosen size captions the font-size
  // button and goes to the settings and the delegate.
  void OnDropdownClosed(int chosen) override;

  // Closes the font-size list, if it is open.
  void CloseFontSizeList();
  // The font-size list's widget while the list is open, else null.
  dui::Widget* FontSizeListWidget() const;

 private:
  enum class Layout { kShapes, kText, kMosaic };
  struct LayoutPlan;

  explicit ColorTableDlg(ToolbarDelegate* delegate);
  static Layout LayoutFor(int32_t kind);
  static const LayoutPlan& PlanFor(Layout layout);

  void BuildSizeButtons(int count);
  void BuildFontButton();
  void BuildColorButtons(const LayoutPlan& plan);
  void SelectSize(int index);
  void OpenFontSizeList();
  // Where colour cell i goes in a picker `width` wide.
  static POINT ColorCellPosition(const LayoutPlan& plan, int width, int i);
  int IndexOf(dui::View* sender, dui::CommonButton* const* buttons, int count) const;

  dui::CommonButton* sizeButtons_[kSizeCount] = {};
  dui::CommonButton* colorButtons_[kPaletteSize] = {};
  dui::CommonButton* fontButton_ = nullptr;
  dui::DropdownView* fontSizeList_ = nullptr;
  PickerSettings settings_ = kDefaultPickerSettings;
  int x_ = 0;
  int y_ = 0;
  ToolbarDelegate* delegate_;
  // The desktop the picker's font-size list opens on, under the picker or above it.
  base::DesktopGeometry desktop_;
  Layout layout_ = Layout::kShapes;
};

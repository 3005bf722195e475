#include "ui/toolbar.h"

#include <vector>

#include "base/window_stacking.h"
#include "dui/common_button.h"
#include "dui/res_manager.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"
#include "ui/color_table_dlg.h"
#include "ui/toolbar_delegate.h"
#include "ui/tooltip.h"

namespace {

constexpr wchar_t kTitle[] = L"桌面截图工具栏";
constexpr int kButtonSize = 24;
constexpr int kButtonY = 11;
// Without the save button, cancel and copy move left into its place and one pixel up.
constexpr int kButtonYWithoutSave = 10;
constexpr int kTooltipHeight = 22;
// A tool's picker lines up with the tool's button, less the button's margin.
constexpr int kButtonMargin = 11;
constexpr int kToolCount = 5;
constexpr ToolKind kNoTool = ToolKind::kRectangle;

bool IsCtrlDown() {
  return GetKeyState(VK_CONTROL) < 0;
}

}  // namespace

struct Toolbar::ButtonFace {
  int x;
  int normal;
  int hover;
  const wchar_t* tooltip;
  int tooltip_width_on_enter;
  int tooltip_width_on_move;
  ToolKind kind;  // of the five tools
};

const Toolbar::ButtonFace Toolbar::kButtons[kButtonCount] = {
    {11, IDB_TOOL_RECTANGLE, IDB_TOOL_RECTANGLE_HOVER, L"矩形工具", 61, 61, ToolKind::kRectangle},
    {55, IDB_TOOL_ELLIPSE, IDB_TOOL_ELLIPSE_HOVER, L"椭圆工具", 61, 61, ToolKind::kEllipse},
    {99, IDB_TOOL_ARROW, IDB_TOOL_ARROW_HOVER, L"箭头工具", 61, 61, ToolKind::kArrow},
    {143, IDB_TOOL_TEXT, IDB_TOOL_TEXT_HOVER, L"文字工具", 61, 61, ToolKind::kText},
    {187, IDB_TOOL_MOSAIC, IDB_TOOL_MOSAIC_HOVER, L"打马赛克", 61, 61, ToolKind::kMosaic},
    {231, IDB_SAVE, IDB_SAVE_HOVER, L"保存 Ctrl+S", 38, 78, kNoTool},
    {275, IDB_CANCEL, IDB_CANCEL_HOVER, L"取消截图 ESC", 61, 87, kNoTool},
    {319, IDB_COPY, IDB_COPY_HOVER, L"复制到剪贴板", 85, 85, kNoTool},
};

Toolbar* Toolbar::CreateToolbar(HWND parent, int x, int y) {
  auto* widget = new dui::Widget();
  auto* toolbar = new Toolbar();
  // The back buffer is made at Init with this size, the larger of the two layouts.
  widget->SetSize(kWidth, kHeight);
  widget->Init(parent);
  widget->SetTitle(kTitle);
  widget->SetContentsView(toolbar);
  widget->SetQuitOnClose(false);
  widget->SetActivatable(false);
  toolbar->widget_ = widget;
  SetWindowPos(widget->GetHwnd(), HWND_TOPMOST, x - kWidth, y, kWidth, kHeight,
               SWP_NOACTIVATE | SWP_NOREDRAW);
  widget->Show(true);
  return toolbar;
}

Toolbar::Toolbar() {
  SetBounds(0, 0, kWidth, kHeight);
  SetKeyListener(this);
  AddButtons();
}

void Toolbar::AddButtons() {
  for (int i = 0; i < kButtonCount; ++i) {
    const ButtonFace& face = kButtons[i];
    auto* button = new dui::CommonButton();
    button->SetBounds(face.x, kButtonY, kButtonSize, kButtonSize);
    button->SetStateImage(face.normal, dui::CommonButton::SS_NORMAL);
    button->SetStateImage(face.hover, dui::CommonButton::SS_HOVER);
    button->SetStateImage(face.hover, dui::CommonButton::SS_PRESSED);
    button->SetClickListener(this);
    button->SetMouseListener(this);
    AddChildView(button);
    buttons_[i] = button;
  }
}

void Toolbar::UseLayoutWithoutSave() {
  width_ = kWidthWithoutSave;
  SetSize(width_, kHeight);
  buttons_[Index(Button::kSave)]->SetVisible(false);
  buttons_[Index(Button::kCancel)]->SetPosition(kButtons[Index(Button::kSave)].x,
                                                kButtonYWithoutSave);
  buttons_[Index(Button::kDone)]->SetPosition(kButtons[Index(Button::kCancel)].x,
                                              kButtonYWithoutSave);
  if (!widget_)
    return;
  // The right edge stays where it hangs; moved and resized in one step, as the picker is.
  RECT window = {};
  GetWindowRect(widget_->GetHwnd(), &window);
  SetPosition(window.right, window.top);
  widget_->SetSize(width_, kHeight);
  widget_->SchedulePaint();
}

void Toolbar::SetPosition(int anchor_x, int anchor_y) {
  if (!widget_)
    return;
  anchorX_ = anchor_x;
  anchorY_ = anchor_y;
  base::PlaceOnTop(widget_->GetHwnd(), anchor_x - width_, anchor_y, width_, kHeight,
                   SWP_NOACTIVATE | SWP_NOREDRAW);
}

void Toolbar::Show() {
  if (widget_ && !IsWindowVisible(widget_->GetHwnd()))
    widget_->Show(true);
}

bool Toolbar::IsShown() const {
  return widget_ && IsWindowVisible(widget_->GetHwnd());
}

void Toolbar::Hide() {
  ClosePopupMenus();
  if (widget_)
    widget_->Show(false);
}

void Toolbar::ClosePopupMenus() {
  if (picker_)
    picker_->CloseFontSizeList();
}

void Toolbar::ResetTools() {
  ClosePopupMenus();
  for (int i = 0; i < kToolCount; ++i)
    buttons_[i]->SetStateImage(kButtons[i].normal, dui::CommonButton::SS_NORMAL);
  SchedulePaint();
}

void Toolbar::CloseAll() {
  ClosePopupMenus();
  if (tooltip_ && tooltip_->GetWidget())
    tooltip_->GetWidget()->Close();
  if (picker_ && picker_->GetWidget())
    picker_->GetWidget()->Close();
  dui::Widget* widget = widget_;
  tooltip_ = nullptr;
  picker_ = nullptr;
  widget_ = nullptr;
  toolActive_ = false;
  if (widget)
    widget->Close();
}

void Toolbar::EnableWindows(bool enable) {
  if (widget_)
    EnableWindow(widget_->GetHwnd(), enable);
  if (ColorTableDlg* picker = GetOpenPicker())
    EnableWindow(picker->GetWidget()->GetHwnd(), enable);
}

std::vector<const dui::Widget*> Toolbar::ShownPopups() const {
  const dui::Widget* popups[] = {widget_, picker_ ? picker_->GetWidget() : nullptr,
                                 picker_ ? picker_->FontSizeListWidget() : nullptr};
  std::vector<const dui::Widget*> shown;
  for (const dui::Widget* popup : popups) {
    if (popup && IsWindowVisible(popup->GetHwnd()))
      shown.push_back(popup);
  }
  return shown;
}

HWND Toolbar::RaiseIfCovered(POINT screen_point) {
  for (const dui::Widget* popup : ShownPopups()) {
    RECT rect = {};
    if (GetWindowRect(popup->GetHwnd(), &rect) && PtInRect(&rect, screen_point)) {
      BringToTop();
      return popup->GetHwnd();
    }
  }
  return nullptr;
}

void Toolbar::KeepAbove(HWND window) {
  if (IsShown() && !base::IsAbove(widget_->GetHwnd(), window))
    BringToTop();
}

void Toolbar::BringToTop() {
  for (const dui::Widget* popup : ShownPopups()) {
    SetWindowPos(popup->GetHwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

ColorTableDlg* Toolbar::GetOpenPicker() const {
  if (!picker_ || !picker_->GetWidget())
    return nullptr;
  return IsWindowVisible(picker_->GetWidget()->GetHwnd()) ? picker_ : nullptr;
}

void Toolbar::OnPaint(Gdiplus::Graphics& g) {
  Gdiplus::Image* background = dui::ResManager::GetInstance()->GetImage(IDB_TOOLBAR_BACKGROUND);
  if (!background)
    return;
  const int width = static_cast<int>(background->GetWidth());
  const int height = static_cast<int>(background->GetHeight());
  g.DrawImage(background, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
              Gdiplus::UnitPixel);
}

int Toolbar::ButtonIndex(const dui::View* sender) const {
  for (int i = 0; i < kButtonCount; ++i) {
    if (buttons_[i] == sender)
      return i;
  }
  return -1;
}

void Toolbar::OnClick(dui::View* sender) {
  const int index = ButtonIndex(sender);
  if (index < 0)
    return;
  ResetTools();
  if (index < kToolCount) {
    OnToolClicked(index);
    return;
  }
  if (!delegate_)
    return;
  switch (static_cast<Button>(index)) {
    case Button::kSave:
      delegate_->OnSave(SaveSource::kSaveButton);
      break;
    case Button::kCancel:
      delegate_->OnCancel(CancelReason::kCancelButton);
      break;
    case Button::kDone:
      // A click that arrives after the toolbar was closed does nothing.
      if (widget_)
        delegate_->OnDone();
      break;
    default:
      break;
  }
}

void Toolbar::OnToolClicked(int index) {
  if (!delegate_ || !widget_)
    return;
  if (!picker_)
    picker_ = ColorTableDlg::CreatePicker(delegate_, GetParent(widget_->GetHwnd()));
  const ButtonFace& face = kButtons[index];
  if (toolActive_ && GetOpenPicker() && picker_->kind() == face.kind) {
    // The active tool clicked again switches it off: the picker goes, keeping its choices,
    // and the next click on a tool starts afresh.
    picker_->GetWidget()->Show(false);
    toolActive_ = false;
    TellToolChosen(index);
    return;
  }
  const int picker_x = anchorX_ - width_ + face.x - kButtonMargin;
  const int picker_y = pickerAbove_ ? anchorY_ - kPickerRoom : anchorY_ + kHeight;
  picker_->Show(ToolSettings(face.kind), picker_x, picker_y);
  buttons_[index]->SetStateImage(face.hover, dui::CommonButton::SS_NORMAL);
  toolActive_ = true;
  TellToolChosen(index);
}

PickerSettings Toolbar::ToolSettings(ToolKind kind) const {
  PickerSettings settings = kDefaultPickerSettings;
  settings.kind = static_cast<int32_t>(kind);
  switch (kind) {
    case ToolKind::kRectangle:
    case ToolKind::kEllipse:
    case ToolKind::kArrow:
      settings.sizeIndex = 1;
      settings.width0 = 1;
      settings.width1 = 3;
      settings.width2 = 5;
      break;
    case ToolKind::kText:
      settings.colorIndex = 10;  // red
      settings.fontIndex = 2;    // 12 points
      break;
    case ToolKind::kMosaic:
      settings.sizeIndex = 2;
      break;
  }
  return settings;
}

void Toolbar::TellToolChosen(int index) {
  switch (static_cast<Button>(index)) {
    case Button::kRectangle:
      delegate_->OnRectangle();
      break;
    case Button::kEllipse:
      delegate_->OnEllipse();
      break;
    case Button::kArrow:
      delegate_->OnArrow();
      break;
    case Button::kText:
      delegate_->OnText();
      break;
    case Button::kMosaic:
      delegate_->OnMosaic();
      break;
    default:
      break;
  }
}

void Toolbar::ShowTooltip(int index, bool entered) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  const ButtonFace& face = kButtons[index];
  if (entered) {
    if (!tooltip_)
      tooltip_ = Tooltip::CreateTooltip();
    tooltip_->ShowAt(this, face.tooltip, cursor.x, cursor.y, face.tooltip_width_on_enter,
                     kTooltipHeight);
  } else if (tooltip_) {
    tooltip_->Update(face.tooltip, cursor.x, cursor.y, face.tooltip_width_on_move, kTooltipHeight);
  }
}

void Toolbar::HideTooltip() {
  if (tooltip_)
    tooltip_->Hide();
}

void Toolbar::OnMouseEntered(dui::View* sender, const dui::Point& /*point*/) {
  const int index = ButtonIndex(sender);
  if (index >= 0)
    ShowTooltip(index, true);
}

void Toolbar::OnMouseMoved(dui::View* sender, const dui::Point& /*point*/) {
  const int index = ButtonIndex(sender);
  if (index >= 0)
    ShowTooltip(index, false);
}

void Toolbar::OnMousePressed(dui::View* /*sender*/, const dui::Point& /*point*/) {
  HideTooltip();
}

void Toolbar::OnMouseReleased(dui::View* /*sender*/, const dui::Point& /*point*/) {
  HideTooltip();
}

void Toolbar::OnMouseExited(dui::View* /*sender*/) {
  HideTooltip();
}

void Toolbar::OnKeyPressed(int virtual_key) {
  if (!delegate_)
    return;
  switch (virtual_key) {
    case VK_ESCAPE:
      delegate_->OnCancel(CancelReason::kEscapeKey);
      break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      delegate_->OnArrowKey(virtual_key);
      break;
    case 'S':
      if (IsCtrlDown())
        delegate_->OnSave(SaveSource::kCtrlS);
      break;
    case 'Z':
      if (IsCtrlDown())
        delegate_->OnUndo();
      break;
    case 'Y':
      if (IsCtrlDown())
        delegate_->OnRedo();
      break;
    default:
      break;
  }
}

void Toolbar::OnKeyReleased(int /*virtual_key*/) {}

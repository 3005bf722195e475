#include "ui/toolbar.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/window_stacking.h"
#include "dui/common_button.h"
#include "dui/scaled_image.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"
#include "toolset/tool_table.h"
#include "ui/color_table_dlg.h"
#include "ui/session_key.h"
#include "ui/toolbar_delegate.h"
#include "ui/tooltip.h"

namespace {

constexpr wchar_t kTitle[] = L"桌面截图工具栏";
constexpr int kButtonY = 11;
// Without the save button, cancel and copy move left into its place and one pixel up.
constexpr int kButtonYWithoutSave = 10;
constexpr int kTooltipHeight = 22;

}  // namespace

struct Toolbar::ButtonFace {
  int normal;
  int hover;
  const wchar_t* tooltip;
  int tooltip_width_on_enter;
  int tooltip_width_on_move;
};

Toolbar::ButtonFace Toolbar::FaceOf(int slot) {
  static constexpr ButtonFace kCommandFaces[kCommandCount] = {
      {IDB_SAVE, IDB_SAVE_HOVER, L"保存 Ctrl+S", 38, 78},
      {IDB_CANCEL, IDB_CANCEL_HOVER, L"取消截图 ESC", 61, 87},
      {IDB_COPY, IDB_COPY_HOVER, L"复制到剪贴板", 85, 85},
  };
  if (slot >= kToolCount)
    return kCommandFaces[slot - kToolCount];
  const ToolRow& row = kToolRows[slot];
  return {row.face, row.hover_face, row.tooltip, row.tooltip_width, row.tooltip_width};
}

RECT Toolbar::ButtonBounds(int slot, bool with_save) {
  const bool moved_left = !with_save && slot > SlotOf(Command::kSave);
  const int x = kButtonMargin + kButtonPitch * (moved_left ? slot - 1 : slot);
  const int y = moved_left ? kButtonYWithoutSave : kButtonY;
  return {x, y, x + kButtonSize, y + kButtonSize};
}

Toolbar* Toolbar::CreateToolbar(HWND parent,
                                const base::DesktopGeometry& desktop,
                                int x,
                                int y,
                                base::DpiScale scale) {
  auto* widget = new dui::Widget();
  auto* toolbar = new Toolbar();
  toolbar->desktop_ = desktop;
  // The back buffer is made at Init with this size, the larger of the two layouts.
  widget->SetSize(kWidth, kHeight);
  widget->SetScale(scale);
  widget->Init(parent);
  widget->SetTitle(kTitle);
  widget->SetContentsView(toolbar);
  widget->SetQuitOnClose(false);
  widget->SetActivatable(false);
  toolbar->widget_ = widget;
  const SIZE size = toolbar->GetScreenSize();
  SetWindowPos(widget->GetHwnd(), HWND_TOPMOST, x - size.cx, y, size.cx, size.cy,
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
    const ButtonFace face = FaceOf(i);
    const RECT bounds = ButtonBounds(i, true);
    auto* button = new dui::CommonButton();
    button->SetBounds(bounds.left, bounds.top, kButtonSize, kButtonSize);
    button->SetStateImage(face.normal, dui::CommonButton::Look::kNormal);
    button->SetStateImage(face.hover, dui::CommonButton::Look::kHover);
    button->SetStateImage(face.hover, dui::CommonButton::Look::kPressed);
    button->SetClickListener(this);
    button->SetMouseListener(this);
    AddChildView(button);
    buttons_[i] = button;
  }
}

void Toolbar::UseLayoutWithoutSave() {
  width_ = kWidthWithoutSave;
  SetSize(width_, kHeight);
  button(Command::kSave)->SetVisible(false);
  for (const Command moved : {Command::kCancel, Command::kDone}) {
    const RECT bounds = ButtonBounds(SlotOf(moved), false);
    button(moved)->SetPosition(bounds.left, bounds.top);
  }
  if (!widget_)
    return;
  // The right edge stays where it hangs; moved and resized in one step, as the picker is.
  RECT window = {};
  GetWindowRect(widget_->GetHwnd(), &window);
  SetPosition(window.right, window.top, widget_->GetScale());
  widget_->SetSize(width_, kHeight);
  widget_->SchedulePaint();
}

SIZE Toolbar::GetScreenSize() const {
  const base::DpiScale scale = widget_ ? widget_->GetScale() : base::DpiScale();
  return scale.Scale(SIZE{width_, kHeight});
}

void Toolbar::SetPosition(int anchor_x, int anchor_y, base::DpiScale scale) {
  if (!widget_)
    return;
  anchorX_ = anchor_x;
  anchorY_ = anchor_y;
  if (scale != widget_->GetScale()) {
    // Laid out anew for a monitor of another scale; a picker beside it would not fit.
    if (ColorTableDlg* picker = GetOpenPicker())
      picker->GetWidget()->Show(false);
    widget_->SetScale(scale);
  }
  const SIZE size = GetScreenSize();
  base::PlaceOnTop(widget_->GetHwnd(), anchor_x - size.cx, anchor_y, size.cx, size.cy,
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
  for (const ToolRow& row : kToolRows)
    button(row.tool)->SetStateImage(row.face, dui::CommonButton::Look::kNormal);
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
  dui::DrawScaledImage(g, IDB_TOOLBAR_BACKGROUND, Gdiplus::Point(0, 0));
}

int Toolbar::ButtonIndex(const dui::View* sender) const {
  for (int i = 0; i < kButtonCount; ++i) {
    if (buttons_[i] == sender)
      return i;
  }
  return -1;
}

void Toolbar::OnClick(dui::View* sender) {
  const int slot = ButtonIndex(sender);
  if (slot < 0)
    return;
  ResetTools();
  if (slot < kToolCount)
    OnToolClicked(kToolRows[slot].tool);
  else
    OnCommandClicked(static_cast<Command>(slot - kToolCount));
}

void Toolbar::OnCommandClicked(Command command) {
  if (!delegate_)
    return;
  switch (command) {
    case Command::kSave:
      delegate_->OnSave(SaveSource::kSaveButton);
      break;
    case Command::kCancel:
      delegate_->OnCancel(CancelReason::kCancelButton);
      break;
    case Command::kDone:
      // A click that arrives after the toolbar was closed does nothing.
      if (widget_)
        delegate_->OnDone();
      break;
  }
}

void Toolbar::OnToolClicked(Tool tool) {
  if (!delegate_ || !widget_)
    return;
  if (!picker_)
    picker_ = ColorTableDlg::CreatePicker(delegate_, GetParent(widget_->GetHwnd()), desktop_);
  const ToolRow& row = RowOf(tool);
  if (toolActive_ && GetOpenPicker() && picker_->kind() == static_cast<ToolKind>(row.picker.kind)) {
    // The active tool clicked again switches it off: the picker goes, keeping its choices,
    // and the next click on a tool starts afresh.
    picker_->GetWidget()->Show(false);
    toolActive_ = false;
    delegate_->OnToolChosen(tool);
    return;
  }
  // Under its button, and wholly on the toolbar's monitor: the pickers of the later tools
  // reach past the toolbar's right edge.
  const RECT monitor = desktop_.MonitorAt({anchorX_ - 1, anchorY_});
  const base::DpiScale scale = widget_->GetScale();
  const int picker_x =
      std::min<int>(anchorX_ - GetScreenSize().cx +
                        scale.Scale(ButtonBounds(SlotOf(tool), true).left - kButtonMargin),
                    monitor.right - scale.Scale(ColorTableDlg::WidthFor(row.picker.kind)));
  const int picker_y =
      pickerAbove_ ? anchorY_ - scale.Scale(kPickerRoom) : anchorY_ + GetScreenSize().cy;
  picker_->Show(row.picker, picker_x, picker_y, scale);
  button(tool)->SetStateImage(row.hover_face, dui::CommonButton::Look::kNormal);
  toolActive_ = true;
  delegate_->OnToolChosen(tool);
}

void Toolbar::ShowTooltip(int slot, TooltipMove move) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  const ButtonFace face = FaceOf(slot);
  if (move == TooltipMove::kEntered) {
    if (!tooltip_)
      tooltip_ = Tooltip::CreateTooltip(desktop_);
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
    ShowTooltip(index, TooltipMove::kEntered);
}

void Toolbar::OnMouseMoved(dui::View* sender, const dui::Point& /*point*/) {
  const int index = ButtonIndex(sender);
  if (index >= 0)
    ShowTooltip(index, TooltipMove::kFollowed);
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

bool Toolbar::IsCopyKey(int virtual_key) {
  return virtual_key == VK_RETURN || (virtual_key == 'C' && GetKeyState(VK_CONTROL) < 0);
}

std::optional<Tool> Toolbar::ToolOfKey(int virtual_key) {
  return GetKeyState(VK_CONTROL) < 0 ? std::nullopt : ToolForKey(virtual_key);
}

// A tool's letter chooses the tool as a click on its button does, and switches it off again;
// Enter and Ctrl+C copy as the copy button does. Only while the toolbar shows, as its buttons
// do: not while the selection is dragged. Keys typed into a text box never come here.
bool Toolbar::TakeToolbarKey(int virtual_key) {
  if (!IsShown())
    return false;
  if (IsCopyKey(virtual_key)) {
    OnCommandClicked(Command::kDone);
    return true;
  }
  const std::optional<Tool> tool = ToolOfKey(virtual_key);
  if (tool)
    OnClick(button(*tool));
  return tool.has_value();
}

void Toolbar::OnKeyPressed(int virtual_key) {
  if (!delegate_ || TakeToolbarKey(virtual_key))
    return;
  const std::optional<SessionKey> key = SessionKeyFor(virtual_key);
  if (!key)
    return;
  switch (*key) {
    case SessionKey::kCancel:
      delegate_->OnCancel(CancelReason::kEscapeKey);
      break;
    case SessionKey::kNudge:
      delegate_->OnArrowKey(virtual_key);
      break;
    case SessionKey::kSave:
      delegate_->OnSave(SaveSource::kCtrlS);
      break;
    case SessionKey::kUndo:
      delegate_->OnUndo();
      break;
    case SessionKey::kRedo:
      delegate_->OnRedo();
      break;
  }
}

void Toolbar::OnKeyReleased(int /*virtual_key*/) {}

// The toolbar's tools on the selection: shapes drawn with the mouse, the text edit box,
// colour and size changes from the picker, and undo.
#include "capture/capture_window.h"

#include <commctrl.h>

#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "capture/edit_box_layout.h"
#include "drawing/drawing_factory.h"
#include "drawing/k_text.h"
#include "ui/color_table_dlg.h"
#include "ui/toolbar.h"

namespace {

using State = SelectionState;

constexpr int kEditControlId = 1000;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN;
constexpr int kFirstEditSize = 2;
// The most a text keeps; the box refuses more, so what shows is what is kept.
constexpr int kMaxTextLength = 10000;
constexpr UINT_PTR kEditSubclassId = 1;

constexpr char kText[] = "text";
constexpr char kMosaic[] = "mosac";

bool Contains(const RECT& rect, int x, int y) {
  const POINT point = {x, y};
  return PtInRect(&rect, point) != FALSE;
}

bool IsCtrlDown() {
  return GetKeyState(VK_CONTROL) < 0;
}

// Keys typed into the edit box that are the session's rather than the text's.
bool IsSessionKey(WPARAM key) {
  if (key == VK_ESCAPE)
    return true;
  return IsCtrlDown() && (key == 'S' || key == 'Z' || key == 'Y');
}

// The characters those keys make, which the edit box must not see either.
bool IsSessionCharacter(WPARAM character) {
  constexpr WPARAM kEscape = 0x1B, kCtrlS = 0x13, kCtrlY = 0x19, kCtrlZ = 0x1A;
  return character == kEscape || character == kCtrlS || character == kCtrlY || character == kCtrlZ;
}

}  // namespace

void CaptureWindow::OnRectangle() {
  SelectTool("rectangle");
}

void CaptureWindow::OnArrow() {
  SelectTool("arrow");
}

void CaptureWindow::OnPen() {}

void CaptureWindow::OnEllipse() {
  SelectTool("ellipse");
}

void CaptureWindow::OnText() {
  SelectTool(kText);
}

void CaptureWindow::OnMosaic() {
  SelectTool(kMosaic);
}

void CaptureWindow::OnQuit() {
  PostQuitMessage(0);
}

// A tool whose picker closed again was switched off: the selection can change again unless
// shapes were drawn on it.
void CaptureWindow::SelectTool(const char* name) {
  CommitText();
  if (toolbar_ && toolbar_->GetOpenPicker()) {
    state_ = State::kAnnotating;
    tool_ = name;
    return;
  }
  state_ = drawings_.empty() ? State::kSelected : State::kAnnotated;
  PaintOverlay();
}

void CaptureWindow::TakePickerSettings() {
  if (toolbar_) {
    if (ColorTableDlg* picker = toolbar_->GetOpenPicker())
      picker_settings_ = picker->GetSettings();
  }
}

void CaptureWindow::KeepShape(std::unique_ptr<Drawing> shape) {
  drawings_.push_back(std::move(shape));
  undone_.clear();
  ShapesChanged();
}

void CaptureWindow::ShapesChanged() {
  kept_picture_.Invalidate();
  UnionRect(&to_compose_, &to_compose_, &selection_);
}

void CaptureWindow::CommitText() {
  if (!current_drawing_)
    return;
  auto* text_shape = dynamic_cast<KText*>(current_drawing_.get());
  const std::wstring text = edit_ ? EditText() : std::wstring();
  if (text_shape && !text.empty()) {
    text_shape->SetFont(edit_font_.get());
    text_shape->color = ChosenColor(picker_settings_);
    text_shape->editing = false;
    text_shape->text = text;
    KeepShape(std::move(current_drawing_));
  }
  current_drawing_.reset();
  ShapesChanged();
  if (edit_) {
    HWND edit = edit_;
    edit_ = nullptr;
    const bool had_keyboard = GetFocus() == edit;
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_HIDEWINDOW);
    DestroyWindow(edit);
    // A box that goes with the keyboard takes it nowhere: the keys are this window's again.
    // Only once the box is gone: while it lives, a dialog given the focus hands it on to the
    // control that had it last.
    if (had_keyboard || !GetFocus())
      SetFocus(hwnd_);
  }
  PaintOverlay();
}

// Undo and redo act on the shapes of the selection as it stands: not while it is being made,
// moved or resized, nor when there is none.
bool CaptureWindow::CanChangeShapes() const {
  return state_ == State::kSelected || state_ == State::kMoved || state_ == State::kResized ||
         state_ == State::kAnnotating || state_ == State::kAnnotated;
}

void CaptureWindow::OnUndo() {
  if (!CanChangeShapes())
    return;
  const bool typing = edit_ != nullptr;
  const size_t before = drawings_.size();
  CommitText();
  // While typing, only the text is taken back; redo brings it back as a finished text.
  if ((typing && drawings_.size() == before) || drawings_.empty())
    return;
  undone_.push_back(std::move(drawings_.back()));
  drawings_.pop_back();
  ShapesChanged();
  if (drawings_.empty() && state_ == State::kAnnotated)
    state_ = State::kSelected;
  PaintOverlay();
}

void CaptureWindow::OnRedo() {
  if (!CanChangeShapes())
    return;
  CommitText();
  if (undone_.empty())
    return;
  drawings_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  ShapesChanged();
  if (state_ != State::kAnnotating)
    state_ = State::kAnnotated;
  PaintOverlay();
}

void CaptureWindow::PressWhileAnnotating(int x, int y) {
  if (!Contains(selection_, x, y) || tool_ == kText)
    return;
  TakePickerSettings();
  current_drawing_ = CreateDrawing(tool_);
  if (!current_drawing_)
    return;
  current_drawing_->color = ChosenColor(picker_settings_);
  current_drawing_->width = ChosenLineWidth(picker_settings_);
  current_drawing_->mosaicSize = ChosenMosaicSize(picker_settings_);
  current_drawing_->AddPoint({x, y});
  PaintOverlay();
}

void CaptureWindow::MoveWhileAnnotating(int x, int y) {
  UseCursor(ToolCursorAt(x, y));
  if (tool_ == kText || !current_drawing_)
    return;
  current_drawing_->AddPoint({x, y});
  PaintOverlay();
}

void CaptureWindow::ReleaseWhileAnnotating(int x, int y) {
  if (tool_ == kText) {
    if (Contains(selection_, x, y))
      PlaceTextBox(x, y);
  } else if (current_drawing_) {
    current_drawing_->AddPoint({x, y});
    current_drawing_->EndDraw();
    if (current_drawing_->IsValid())
      KeepShape(std::move(current_drawing_));
    current_drawing_.reset();
    ShapesChanged();
  }
  PaintOverlay();
}

HCURSOR CaptureWindow::ToolCursorAt(int x, int y) {
  if (!Contains(selection_, x, y))
    return LoadCursorW(nullptr, IDC_ARROW);
  ColorTableDlg* picker = toolbar_ ? toolbar_->GetOpenPicker() : nullptr;
  if (tool_ == kMosaic && picker)
    return tool_cursors_.MosaicBrush(ChosenMosaicSize(picker->GetSettings()));
  return tool_cursors_.Cross();
}

void CaptureWindow::PlaceTextBox(int x, int y) {
  TakePickerSettings();
  if (!edit_) {
    current_drawing_ = CreateDrawing(kText);
    CreateEditBox(x, y);
    BuildEditFont();
  }
  if (!edit_)
    return;
  SetWindowPos(edit_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  SetWindowTextW(edit_, L"");
  ResizeEditBox({x, y});
  SetFocus(edit_);
}

void CaptureWindow::CreateEditBox(int x, int y) {
  edit_ = CreateWindowExW(0, L"Edit", L"", kEditStyle, x, y, kFirstEditSize, kFirstEditSize, hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditControlId)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!edit_)
    return;
  SendMessageW(edit_, EM_SETLIMITTEXT, kMaxTextLength, 0);
  SetWindowSubclass(edit_, &CaptureWindow::EditProc, kEditSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
}

// The system's GUI font at the picker's size in points.
void CaptureWindow::BuildEditFont() {
  LOGFONTW description = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  description.lfHeight =
      -MulDiv(ChosenFontPoints(picker_settings_), GetDeviceCaps(mem_dc_.get(), LOGPIXELSY), 72);
  description.lfWidth = 0;
  base::ScopedFont font(CreateFontIndirectW(&description));
  if (edit_)
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  // The box lets go of the old font before it is deleted.
  edit_font_ = std::move(font);
}

std::wstring CaptureWindow::EditText() const {
  const int length = GetWindowTextLengthW(edit_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(edit_, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void CaptureWindow::ResizeEditBox(POINT origin) {
  const std::wstring text = EditText();
  SIZE extent = {};
  {
    base::ScopedGetDc dc(edit_);
    base::ScopedSelectObject select_font(dc.get(), edit_font_.get());
    // The widest line: a box as wide as all lines put together would reach the edge at once.
    RECT measured = {};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc.get(), &metrics);
    extent = {measured.right - measured.left, metrics.tmHeight};
  }
  const int lines = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
  const RECT box = LayOutEditBox(origin, extent, lines, selection_);
  MoveWindow(edit_, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  if (current_drawing_) {
    current_drawing_->points = {{box.left, box.top}, {box.right, box.bottom}};
  }
  PaintOverlay();
}

void CaptureWindow::OnColorChanged() {
  if (!edit_)
    return;
  TakePickerSettings();
  InvalidateRect(edit_, nullptr, TRUE);
  if (current_drawing_)
    current_drawing_->color = ChosenColor(picker_settings_);
  SetFocus(edit_);
}

void CaptureWindow::OnFontSizeChanged() {
  if (!edit_)
    return;
  TakePickerSettings();
  BuildEditFont();
  if (tool_ == kText) {
    RECT box = {};
    GetWindowRect(edit_, &box);
    ResizeEditBox({box.left, box.top});
  }
  SetFocus(edit_);
}

// White, with the text in the chosen colour.
INT_PTR CaptureWindow::OnEditColors(HDC dc) {
  ColorTableDlg* picker = toolbar_ ? toolbar_->GetOpenPicker() : nullptr;
  const PickerSettings& settings = picker ? picker->GetSettings() : picker_settings_;
  SetTextColor(dc, ChosenColor(settings));
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

// Esc, Ctrl+S, Ctrl+Z and Ctrl+Y typed into the box go to the session, as they would
// from anywhere else.
LRESULT CALLBACK CaptureWindow::EditProc(HWND edit,
                                         UINT message,
                                         WPARAM wparam,
                                         LPARAM lparam,
                                         UINT_PTR /*id*/,
                                         DWORD_PTR data) {
  auto* window = reinterpret_cast<CaptureWindow*>(data);
  if (message == WM_KEYDOWN && IsSessionKey(wparam)) {
    window->OnKeyDown(static_cast<int>(wparam));
    return 0;
  }
  if (message == WM_CHAR && IsSessionCharacter(wparam))
    return 0;
  return DefSubclassProc(edit, message, wparam, lparam);
}

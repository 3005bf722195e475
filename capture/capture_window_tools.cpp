// The toolbar's tools on the selection: shapes drawn with the mouse, the text edit box,
// colour and size changes from the picker, and undo.
#include "capture/capture_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

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
// How far the box keeps from the selection's right and bottom edges.
constexpr int kEditInset = 3;

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

// A text as the edit box's font, selected into `dc`, measures it.
class DcTextMetrics : public EditTextMetrics {
 public:
  DcTextMetrics(HDC dc, const std::wstring& text) : dc_(dc), text_(text) {
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    line_height_ = std::max(static_cast<int>(metrics.tmHeight), 1);
  }

  int LineHeight() const override { return line_height_; }

  SIZE Unwrapped() const override {
    RECT measured = {};
    DrawTextW(dc_, text_.c_str(), static_cast<int>(text_.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX);
    const auto lines = std::count(text_.begin(), text_.end(), L'\n') + 1;
    return {measured.right - measured.left, static_cast<LONG>(lines)};
  }

  // The box's own lines wrap at word ends as DrawText's do; a line break at the end starts
  // a line of its own, where DrawText counts none.
  int LinesWrappedAt(int width) const override {
    RECT measured = {0, 0, std::max(width, 1), 0};
    DrawTextW(dc_, text_.c_str(), static_cast<int>(text_.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    const int height = static_cast<int>(measured.bottom - measured.top);
    const bool ends_with_break = !text_.empty() && text_.back() == L'\n';
    return (height + line_height_ - 1) / line_height_ + (ends_with_break ? 1 : 0);
  }

 private:
  HDC dc_;
  const std::wstring& text_;
  int line_height_ = 1;
};

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
    model_.ChooseTool(true, !drawings_.empty());
    tool_ = name;
    return;
  }
  model_.ChooseTool(false, !drawings_.empty());
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
  compositor_.ShapesChanged(model_.selection());
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

void CaptureWindow::OnUndo() {
  if (!model_.CanChangeShapes())
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
  if (drawings_.empty())
    model_.ShapesAllTakenBack();
  PaintOverlay();
}

void CaptureWindow::OnRedo() {
  if (!model_.CanChangeShapes())
    return;
  CommitText();
  if (undone_.empty())
    return;
  drawings_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  ShapesChanged();
  model_.ShapePutBack();
  PaintOverlay();
}

void CaptureWindow::PressWhileAnnotating(int x, int y) {
  if (!Contains(model_.selection(), x, y) || tool_ == kText)
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
    if (Contains(model_.selection(), x, y))
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
  if (!Contains(model_.selection(), x, y))
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
  GiveTheKeyboardToTheEditBox();
  text_box_click_ = {x, y};
  text_box_opened_at_ = GetTickCount();
}

// A second click that comes on the box its first click just opened, before anything was
// typed, is a double click on the selection, which copies it whatever tool is chosen.
bool CaptureWindow::IsSecondClickOnANewBox(LPARAM box_point) const {
  if (GetWindowTextLengthW(edit_) > 0 ||
      GetTickCount() - text_box_opened_at_ > GetDoubleClickTime()) {
    return false;
  }
  POINT point = {GET_X_LPARAM(box_point), GET_Y_LPARAM(box_point)};
  MapWindowPoints(edit_, hwnd_, &point, 1);
  return std::abs(point.x - text_box_click_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(point.y - text_box_click_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

void CaptureWindow::GiveTheKeyboardToTheEditBox() {
  SetFocus(edit_);
  RaisePopupsOnTheDisplay();
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

RECT CaptureWindow::EditBoxRect() const {
  RECT box = {};
  GetWindowRect(edit_, &box);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

std::optional<RECT> CaptureWindow::LayOutEditBoxFor(const std::wstring& text, POINT origin) const {
  base::ScopedGetDc dc(edit_);
  base::ScopedSelectObject select_font(dc.get(), edit_font_.get());
  return LayOutEditBox(origin, DcTextMetrics(dc.get(), text), model_.selection());
}

// A text that no longer fits (after a larger font was chosen) gets all the room there is.
void CaptureWindow::ResizeEditBox(POINT origin) {
  const RECT& s = model_.selection();
  const RECT room = {s.left, s.top, s.right - kEditInset, s.bottom - kEditInset};
  MoveEditBox(LayOutEditBoxFor(EditText(), origin).value_or(room));
}

void CaptureWindow::MoveEditBox(const RECT& box) {
  MoveWindow(edit_, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  if (current_drawing_) {
    current_drawing_->points = {{box.left, box.top}, {box.right, box.bottom}};
  }
  PaintOverlay();
}

// Typed text is never dropped while the selection has room for it: before the box takes a
// character, it moves and grows to hold the text with it. A character that would not fit
// in the selection is refused with the system's warning sound.
bool CaptureWindow::MakeRoomFor(wchar_t character) {
  const bool line_break = character == L'\r';
  if (character < L' ' && !line_break)
    return true;
  std::wstring text = EditText();
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
  end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
  text.replace(start, end - start, line_break ? std::wstring(L"\r\n") : std::wstring(1, character));
  const RECT current = EditBoxRect();
  const std::optional<RECT> box = LayOutEditBoxFor(text, {current.left, current.top});
  if (!box)
    return false;
  if (!EqualRect(&*box, &current))
    MoveEditBox(*box);
  return true;
}

void CaptureWindow::OnColorChanged() {
  if (!edit_)
    return;
  TakePickerSettings();
  InvalidateRect(edit_, nullptr, TRUE);
  if (current_drawing_)
    current_drawing_->color = ChosenColor(picker_settings_);
  GiveTheKeyboardToTheEditBox();
}

void CaptureWindow::OnFontSizeChanged() {
  if (!edit_)
    return;
  TakePickerSettings();
  BuildEditFont();
  if (tool_ == kText) {
    const RECT box = EditBoxRect();
    ResizeEditBox({box.left, box.top});
  }
  GiveTheKeyboardToTheEditBox();
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
  if (message == WM_CHAR && !window->MakeRoomFor(static_cast<wchar_t>(wparam))) {
    MessageBeep(MB_OK);
    return 0;
  }
  if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) &&
      window->IsSecondClickOnANewBox(lparam)) {
    window->OnDoubleClick(window->text_box_click_.x, window->text_box_click_.y);
    return 0;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

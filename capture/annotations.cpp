#include "capture/annotations.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "capture/edit_box_layout.h"
#include "drawing/paint_shapes.h"
#include "toolset/tool_table.h"
#include "ui/session_key.h"

namespace {

constexpr int kEditControlId = 1000;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN;
constexpr int kFirstEditSize = 2;
// The most a text keeps; the box refuses more, so what shows is what is kept.
constexpr int kMaxTextLength = 10000;
constexpr UINT_PTR kEditSubclassId = 1;
// How far the box keeps from the selection's right and bottom edges.
constexpr int kEditInset = 3;

// Keys typed into the text box that are the session's rather than the text's: all but the
// arrows, which move the text cursor.
bool IsSessionKey(WPARAM key) {
  const std::optional<SessionKey> command = SessionKeyFor(static_cast<int>(key));
  return command && *command != SessionKey::kNudge;
}

// The characters those keys make, which the box must not see either.
bool IsSessionCharacter(WPARAM character) {
  constexpr WPARAM kEscape = 0x1B, kCtrlS = 0x13, kCtrlY = 0x19, kCtrlZ = 0x1A;
  return character == kEscape || character == kCtrlS || character == kCtrlY || character == kCtrlZ;
}

// A text as the box's font, selected into `dc`, measures it.
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

bool Annotations::TypesText() const {
  return RowOf(tool_).input == ToolInput::kTextBox;
}

bool Annotations::InArea(POINT point) const {
  const RECT monitor = host_.MonitorAt(point);
  return PtInRect(&host_.AnnotatedArea(), point) && PtInRect(&monitor, point);
}

RECT Annotations::TextRoom(POINT origin) const {
  const RECT monitor = host_.MonitorAt(origin);
  RECT room = {};
  IntersectRect(&room, &host_.AnnotatedArea(), &monitor);
  return room;
}

void Annotations::TakePickerSettings() {
  if (const PickerSettings* open = host_.OpenPicker())
    picker_settings_ = *open;
}

std::vector<Drawing*> Annotations::KeptShapes() const {
  std::vector<Drawing*> shapes;
  shapes.reserve(drawings_.size() + 1);
  for (const std::unique_ptr<Drawing>& shape : drawings_)
    shapes.push_back(shape.get());
  return shapes;
}

bool Annotations::PaintAll(HDC dc, const RECT& area) const {
  std::vector<Drawing*> shapes = KeptShapes();
  if (current_drawing_)
    shapes.push_back(current_drawing_.get());
  return PaintShapes(dc, area, shapes);
}

void Annotations::AddShapeForTesting(std::unique_ptr<Drawing> shape) {
  drawings_.push_back(std::move(shape));
  host_.OnShapesChanged();
}

void Annotations::Clear() {
  drawings_.clear();
  undone_.clear();
}

void Annotations::KeepShape(std::unique_ptr<Drawing> shape) {
  drawings_.push_back(std::move(shape));
  undone_.clear();
  host_.OnShapesChanged();
}

void Annotations::FinishText() {
  if (!current_drawing_)
    return;
  const std::wstring text = edit_ ? Text() : std::wstring();
  if (!text.empty() && current_drawing_->FinishTyping(text, font_.get())) {
    current_drawing_->color = ChosenColor(picker_settings_);
    KeepShape(std::move(current_drawing_));
  }
  current_drawing_.reset();
  host_.OnShapesChanged();
  if (edit_) {
    HWND edit = edit_;
    edit_ = nullptr;
    const bool had_keyboard = GetFocus() == edit;
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_HIDEWINDOW);
    DestroyWindow(edit);
    // A box that goes with the keyboard takes it nowhere: the keys are the window's again.
    // Only once the box is gone: while it lives, a dialog given the focus hands it on to the
    // control that had it last.
    if (had_keyboard || !GetFocus())
      SetFocus(host_.AnnotatedWindow());
  }
  host_.RepaintAnnotations();
}

bool Annotations::Undo() {
  const bool typing = edit_ != nullptr;
  const size_t before = drawings_.size();
  FinishText();
  // While typing, only the text is taken back; redo brings it back as a finished text.
  if ((typing && drawings_.size() == before) || drawings_.empty())
    return false;
  undone_.push_back(std::move(drawings_.back()));
  drawings_.pop_back();
  host_.OnShapesChanged();
  return true;
}

bool Annotations::Redo() {
  FinishText();
  if (undone_.empty())
    return false;
  drawings_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  host_.OnShapesChanged();
  return true;
}

void Annotations::Press(POINT point) {
  if (!InArea(point) || TypesText())
    return;
  TakePickerSettings();
  current_drawing_ = CreateDrawing(tool_);
  if (!current_drawing_)
    return;
  current_drawing_->color = ChosenColor(picker_settings_);
  current_drawing_->width = ChosenLineWidth(picker_settings_);
  current_drawing_->mosaicSize = ChosenMosaicSize(picker_settings_);
  if (current_drawing_->Counts())
    current_drawing_->number = NextNumber();
  current_drawing_->straight = GetKeyState(VK_SHIFT) < 0;
  current_drawing_->AddPoint(point);
  host_.RepaintAnnotations();
}

// One more than the kept shapes that count: a step taken back by undo gives its number back,
// and the one put back by redo has its own still.
int Annotations::NextNumber() const {
  return 1 + static_cast<int>(std::count_if(
                 drawings_.begin(), drawings_.end(),
                 [](const std::unique_ptr<Drawing>& shape) { return shape->Counts(); }));
}

void Annotations::Drag(POINT point) {
  if (TypesText() || !current_drawing_)
    return;
  current_drawing_->straight = GetKeyState(VK_SHIFT) < 0;
  current_drawing_->AddPoint(point);
  host_.RepaintAnnotations();
}

void Annotations::Release(POINT point) {
  if (TypesText()) {
    if (InArea(point))
      PlaceTextBox(point);
  } else if (current_drawing_) {
    current_drawing_->AddPoint(point);
    current_drawing_->EndDraw();
    if (current_drawing_->IsValid())
      KeepShape(std::move(current_drawing_));
    current_drawing_.reset();
    host_.OnShapesChanged();
  }
  host_.RepaintAnnotations();
}

void Annotations::PlaceTextBox(POINT point) {
  text_box_click_ = point;
  TakePickerSettings();
  if (!edit_) {
    current_drawing_ = CreateDrawing(tool_);
    CreateTextBox(point);
    BuildFont();
  }
  if (!edit_)
    return;
  SetWindowPos(edit_, nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  SetWindowTextW(edit_, L"");
  ResizeTextBox(point);
  GiveTheKeyboardToTheTextBox();
  text_box_opened_at_ = GetTickCount();
}

// A second click that comes on the box its first click just opened, before anything was
// typed, is a double click on the selection, which copies it whatever tool is chosen.
bool Annotations::IsSecondClickOnANewBox(LPARAM box_point) const {
  if (GetWindowTextLengthW(edit_) > 0 ||
      GetTickCount() - text_box_opened_at_ > GetDoubleClickTime()) {
    return false;
  }
  POINT point = {GET_X_LPARAM(box_point), GET_Y_LPARAM(box_point)};
  MapWindowPoints(edit_, host_.AnnotatedWindow(), &point, 1);
  return std::abs(point.x - text_box_click_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(point.y - text_box_click_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

void Annotations::GiveTheKeyboardToTheTextBox() {
  SetFocus(edit_);
  host_.OnTextBoxHasKeyboard();
}

void Annotations::CreateTextBox(POINT point) {
  edit_ = CreateWindowExW(0, L"Edit", L"", kEditStyle, point.x, point.y, kFirstEditSize,
                          kFirstEditSize, host_.AnnotatedWindow(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditControlId)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!edit_)
    return;
  SendMessageW(edit_, EM_SETLIMITTEXT, kMaxTextLength, 0);
  SetWindowSubclass(edit_, &Annotations::TextBoxProc, kEditSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
}

// The system's GUI font at the picker's size in points, on the monitor of the box.
void Annotations::BuildFont() {
  LOGFONTW description = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  description.lfHeight =
      -MulDiv(ChosenFontPoints(picker_settings_), host_.ScaleAt(text_box_click_).dpi(), 72);
  description.lfWidth = 0;
  base::ScopedFont font(CreateFontIndirectW(&description));
  if (edit_)
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  // The box lets go of the old font before it is deleted.
  font_ = std::move(font);
}

std::wstring Annotations::Text() const {
  const int length = GetWindowTextLengthW(edit_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(edit_, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

RECT Annotations::TextBoxRect() const {
  RECT box = {};
  GetWindowRect(edit_, &box);
  MapWindowPoints(nullptr, host_.AnnotatedWindow(), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

std::optional<RECT> Annotations::LayOutTextBoxFor(const std::wstring& text, POINT origin) const {
  base::ScopedGetDc dc(edit_);
  base::ScopedSelectObject select_font(dc.get(), font_.get());
  return LayOutEditBox(origin, DcTextMetrics(dc.get(), text), TextRoom(origin));
}

// A text that no longer fits (after a larger font was chosen) gets all the room there is.
void Annotations::ResizeTextBox(POINT origin) {
  const RECT s = TextRoom(origin);
  const RECT room = {s.left, s.top, s.right - kEditInset, s.bottom - kEditInset};
  MoveTextBox(LayOutTextBoxFor(Text(), origin).value_or(room));
}

void Annotations::FitTextBox() {
  if (!IsTyping())
    return;
  const RECT box = TextBoxRect();
  ResizeTextBox({box.left, box.top});
}

void Annotations::MoveTextBox(const RECT& box) {
  MoveWindow(edit_, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  if (current_drawing_)
    current_drawing_->points = {{box.left, box.top}, {box.right, box.bottom}};
  host_.RepaintAnnotations();
}

// Typed text is never dropped while the selection has room for it: before the box takes a
// character, it moves and grows to hold the text with it. A character that would not fit
// in the selection is refused with the system's warning sound.
bool Annotations::MakeRoomFor(wchar_t character) {
  const bool line_break = character == L'\r';
  if (character < L' ' && !line_break)
    return true;
  std::wstring text = Text();
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
  end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
  text.replace(start, end - start, line_break ? std::wstring(L"\r\n") : std::wstring(1, character));
  const RECT current = TextBoxRect();
  const std::optional<RECT> box = LayOutTextBoxFor(text, {current.left, current.top});
  if (!box)
    return false;
  if (!EqualRect(&*box, &current))
    MoveTextBox(*box);
  return true;
}

void Annotations::TakeColor() {
  if (!edit_)
    return;
  TakePickerSettings();
  InvalidateRect(edit_, nullptr, TRUE);
  if (current_drawing_)
    current_drawing_->color = ChosenColor(picker_settings_);
  GiveTheKeyboardToTheTextBox();
}

void Annotations::TakeFontSize() {
  if (!edit_)
    return;
  TakePickerSettings();
  BuildFont();
  if (TypesText()) {
    const RECT box = TextBoxRect();
    ResizeTextBox({box.left, box.top});
  }
  GiveTheKeyboardToTheTextBox();
}

INT_PTR Annotations::PaintTextBoxColors(HDC dc) const {
  const PickerSettings* open = host_.OpenPicker();
  SetTextColor(dc, ChosenColor(open ? *open : picker_settings_));
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

// Esc, Ctrl+S, Ctrl+Z and Ctrl+Y typed into the box go to the session, as they would
// from anywhere else.
LRESULT CALLBACK Annotations::TextBoxProc(HWND edit,
                                          UINT message,
                                          WPARAM wparam,
                                          LPARAM lparam,
                                          UINT_PTR /*id*/,
                                          DWORD_PTR data) {
  auto* self = reinterpret_cast<Annotations*>(data);
  if (message == WM_KEYDOWN && IsSessionKey(wparam)) {
    self->host_.OnSessionKeyInTextBox(static_cast<int>(wparam));
    return 0;
  }
  if (message == WM_CHAR && IsSessionCharacter(wparam))
    return 0;
  if (message == WM_CHAR && !self->MakeRoomFor(static_cast<wchar_t>(wparam))) {
    MessageBeep(MB_OK);
    return 0;
  }
  if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) &&
      self->IsSecondClickOnANewBox(lparam)) {
    self->host_.OnDoubleClickOnNewTextBox(self->text_box_click_);
    return 0;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

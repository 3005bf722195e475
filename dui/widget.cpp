#include "dui/widget.h"

#include <algorithm>

#include "base/assert.h"
#include "base/gdiplus.h"
#include "base/scoped_get_dc.h"
#include "dui/main_dlg.h"
#include "dui/root_view.h"
#include "dui/widget_hooks.h"

namespace dui {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 33;
constexpr COLORREF kColorKey = RGB(255, 255, 255);
constexpr UINT kResizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE;

Widget::TickSource g_tick_source = &GetTickCount;
WidgetHooks* g_hooks = nullptr;

template <typename T>
void AddUnique(std::vector<T*>& list, T* item) {
  if (std::find(list.begin(), list.end(), item) == list.end())
    list.push_back(item);
}

// True when `item` was in the list.
template <typename T>
bool RemoveItem(std::vector<T*>& list, T* item) {
  auto found = std::find(list.begin(), list.end(), item);
  if (found == list.end())
    return false;
  list.erase(found);
  return true;
}

}  // namespace

Widget::Widget() : rootView_(std::make_unique<RootView>(this)) {
  rootView_->SetBounds(bounds_.x, bounds_.y, bounds_.width, bounds_.height);
}

Widget::~Widget() {
  // The tree goes first; views that stop their animations still find their widget.
  hoveredView_ = nullptr;
  rootView_.reset();
  bufferSelection_.reset();
  backBuffer_.reset();
  memoryDC_.reset();
}

void Widget::SetHooks(WidgetHooks* hooks) {
  g_hooks = hooks;
}

WidgetHooks* Widget::hooks() {
  return g_hooks;
}

void Widget::SetTickSourceForTesting(TickSource source) {
  g_tick_source = source ? source : &GetTickCount;
}

void Widget::Init(HWND parent) {
  PICTOR_ASSERT(host_ == NULL, "widget");
  if (host_ || hostGone_)
    return;
  host_ = CMainDlg::Create(this, parent);
  if (!host_)
    return;
  SetIcons();
  bufferSize_ = {bounds_.width, bounds_.height};
  const SIZE size = PhysicalSize();
  SetWindowPos(host_->hwnd(), nullptr, 0, 0, size.cx, size.cy, kResizeOnly);
  CreateBackBuffer();
  rootView_->SetBounds(0, 0, bounds_.width, bounds_.height);
}

void Widget::SetIcons() {
  if (!iconId_)
    return;
  HINSTANCE module = GetModuleHandleW(nullptr);
  const struct {
    WPARAM kind;
    int width_metric;
    int height_metric;
  } icons[] = {{ICON_BIG, SM_CXICON, SM_CYICON}, {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}};
  for (const auto& icon : icons) {
    // Shared icons belong to the system, which frees them with the module.
    HANDLE handle = LoadImageW(module, MAKEINTRESOURCEW(iconId_), IMAGE_ICON,
                               GetSystemMetrics(icon.width_metric),
                               GetSystemMetrics(icon.height_metric), LR_SHARED);
    SendMessageW(host_->hwnd(), WM_SETICON, icon.kind, reinterpret_cast<LPARAM>(handle));
  }
}

SIZE Widget::PhysicalSize() const {
  return scale_.Scale(SIZE{bounds_.width, bounds_.height});
}

Point Widget::ClientToRoot(POINT client) const {
  return {scale_.Unscale(client.x), scale_.Unscale(client.y)};
}

void Widget::CreateBackBuffer() {
  bufferSelection_.reset();
  backBuffer_.reset();
  base::ScopedGetDc window_dc(host_->hwnd());
  memoryDC_.reset(CreateCompatibleDC(window_dc.get()));
  const SIZE size = scale_.Scale(bufferSize_);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = size.cy;  // bottom-up rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  backBuffer_.reset(CreateDIBSection(memoryDC_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (memoryDC_ && backBuffer_)
    bufferSelection_ =
        std::make_unique<base::ScopedSelectObject>(memoryDC_.get(), backBuffer_.get());
}

void Widget::SetSize(int width, int height) {
  bounds_.width = width;
  bounds_.height = height;
  if (host_) {
    const SIZE size = PhysicalSize();
    SetWindowPos(host_->hwnd(), nullptr, 0, 0, size.cx, size.cy, kResizeOnly);
  }
  rootView_->SetSize(width, height);
}

void Widget::SetScale(base::DpiScale scale) {
  if (scale == scale_)
    return;
  scale_ = scale;
  if (!host_)
    return;
  const SIZE size = PhysicalSize();
  SetWindowPos(host_->hwnd(), nullptr, 0, 0, size.cx, size.cy, kResizeOnly);
  CreateBackBuffer();
  SchedulePaint();
}

void Widget::SetContentsView(View* view) {
  if (!view)
    return;
  if (View* old = GetContentsView())
    rootView_->RemoveChildView(old);
  rootView_->AddChildView(view);
}

View* Widget::GetContentsView() const {
  return rootView_->GetChildViewAt(0);
}

void Widget::SetTitle(const std::wstring& title) {
  if (host_)
    SetWindowTextW(host_->hwnd(), title.c_str());
}

void Widget::Show(bool show) {
  PICTOR_ASSERT(host_ != NULL, "widget");
  if (!host_)
    return;
  // Showing a shown window again costs a round trip to the window system for nothing.
  if ((IsWindowVisible(host_->hwnd()) != FALSE) == show)
    return;
  const int shown = activatable_ ? SW_SHOW : SW_SHOWNA;
  ShowWindow(host_->hwnd(), show ? shown : SW_HIDE);
  if (show)
    SchedulePaint();
}

void Widget::Minimize() {
  if (host_)
    ShowWindow(host_->hwnd(), SW_MINIMIZE);
}

void Widget::Restore() {
  if (host_)
    ShowWindow(host_->hwnd(), SW_RESTORE);
}

void Widget::Close() {
  // A widget whose window could not be made has nothing to wait for.
  if (!host_ && !hostGone_ && dispatchDepth_ == 0) {
    delete this;
    return;
  }
  if (!host_)
    return;
  ShowWindow(host_->hwnd(), SW_HIDE);
  PostMessageW(host_->hwnd(), kDestroyRequestMessage, 0, 0);
}

void Widget::SchedulePaint() {
  rootView_->SchedulePaint();
}

void Widget::SchedulePaintInRect(const Rectangle& rect) {
  rootView_->SchedulePaintInRect(rect);
}

bool Widget::PostPaintRequest() {
  return host_ && PostMessageW(host_->hwnd(), kPaintRequestMessage, 0, 0);
}

void Widget::MoveWithNextPaint(int x, int y) {
  if (!host_)
    return;
  pendingPosition_ = POINT{x, y};
  if (!IsWindowVisible(host_->hwnd()))
    MoveToPendingPosition();
}

void Widget::MoveToPendingPosition() {
  if (pendingPosition_ && host_) {
    SetWindowPos(host_->hwnd(), nullptr, pendingPosition_->x, pendingPosition_->y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  pendingPosition_.reset();
}

void Widget::PaintNow() {
  OnPaintRequest();
}

void Widget::OnPaintRequest() {
  const Rectangle dirty = rootView_->TakeDirtyRect();
  if (dirty.IsEmpty() || !memoryDC_) {
    MoveToPendingPosition();
    return;
  }
  {
    Gdiplus::Graphics graphics(memoryDC_.get());
    // At another scale the whole tree is painted: a part's edges would fall between device
    // pixels, which its neighbours' smoothing reaches into.
    const Rectangle painted = scale_.IsUnit() ? dirty : rootView_->GetLocalBounds();
    if (!scale_.IsUnit())
      graphics.ScaleTransform(scale_.factor(), scale_.factor());
    graphics.SetClip(painted.ToGdiplus(), Gdiplus::CombineModeReplace);
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    rootView_->Paint(graphics, painted);
  }
  Present();
}

void Widget::Present() {
  HWND hwnd = host_->hwnd();
  RECT window = {};
  GetWindowRect(hwnd, &window);
  POINT position = pendingPosition_.value_or(POINT{window.left, window.top});
  pendingPosition_.reset();
  SIZE size = {window.right - window.left, window.bottom - window.top};
  if (IsIconic(hwnd)) {
    // A minimised window reports its icon's rectangle; present the whole buffer there.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(hwnd, &placement);
    position = placement.ptMinPosition;
    size = {placement.rcNormalPosition.right - placement.rcNormalPosition.left,
            placement.rcNormalPosition.bottom - placement.rcNormalPosition.top};
  }
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
  UpdateLayeredWindow(hwnd, nullptr, &position, &size, memoryDC_.get(), &source, kColorKey, &blend,
                      ULW_ALPHA);
}

void Widget::AddTimerObserver(TimerObserver* observer) {
  if (IsTimerObserver(observer))
    return;
  if (timerObservers_.empty()) {
    lastTick_ = g_tick_source();
    if (host_)
      SetTimer(host_->hwnd(), kTimerId, kTimerPeriodMs, nullptr);
  }
  timerObservers_.push_back(observer);
}

void Widget::RemoveTimerObserver(TimerObserver* observer) {
  if (!RemoveItem(timerObservers_, observer))
    return;
  if (timerObservers_.empty() && host_)
    KillTimer(host_->hwnd(), kTimerId);
}

bool Widget::IsTimerObserver(const TimerObserver* observer) const {
  return std::find(timerObservers_.begin(), timerObservers_.end(), observer) !=
         timerObservers_.end();
}

void Widget::OnTimerTick() {
  const DWORD now = g_tick_source();
  const int elapsed = static_cast<int>(now - lastTick_);
  // Observers add and remove observers from inside OnTimer; one removed during this round
  // may already be gone, so it is not called.
  const std::vector<TimerObserver*> observers = timerObservers_;
  for (TimerObserver* observer : observers) {
    if (IsTimerObserver(observer))
      observer->OnTimer(elapsed);
  }
  lastTick_ = now;
}

void Widget::AddWindowObserver(WindowObserver* observer) {
  AddUnique(windowObservers_, observer);
}

void Widget::RemoveWindowObserver(WindowObserver* observer) {
  RemoveItem(windowObservers_, observer);
}

Rectangle Widget::GetWindowBounds() const {
  RECT window = {};
  if (host_)
    GetWindowRect(host_->hwnd(), &window);
  return {window.left, window.top, window.right - window.left, window.bottom - window.top};
}

Rectangle Widget::RootToScreen(const Rectangle& rect) const {
  const Rectangle window = GetWindowBounds();
  const int left = scale_.Scale(rect.x);
  const int top = scale_.Scale(rect.y);
  return {window.x + left, window.y + top, scale_.Scale(rect.x + rect.width) - left,
          scale_.Scale(rect.y + rect.height) - top};
}

void Widget::SetQuitOnClose(bool quit) {
  if (host_)
    host_->SetQuitOnFinalMessage(quit);
}

HWND Widget::GetHwnd() const {
  return host_ ? host_->hwnd() : nullptr;
}

void Widget::DetachHost() {
  if (!timerObservers_.empty()) {
    KillTimer(host_->hwnd(), kTimerId);
    timerObservers_.clear();
  }
  host_->DetachWidget();
  host_ = nullptr;
  hostGone_ = true;
}

void Widget::OnDestroyRequest() {
  PICTOR_ASSERT(host_ != NULL, "widget");
  if (!host_)
    return;
  HWND hwnd = host_->hwnd();
  DetachHost();
  DestroyWindow(hwnd);
}

bool Widget::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  ++dispatchDepth_;
  const bool handled = Dispatch(message, wparam, lparam, result);
  --dispatchDepth_;
  if (hostGone_ && dispatchDepth_ == 0) {
    delete this;
    if (g_hooks)
      g_hooks->OnWidgetDestroyed();
  }
  return handled;
}

}  // namespace dui

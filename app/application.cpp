#include "app/application.h"

#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <new>

#include "app/dump_monitor.h"
#include "app/float_window.h"
#include "app/single_instance.h"
#include "base/gdiplus.h"
#include "base/session_outcome.h"
#include "capture/capture_window.h"
#include "capture/session_widget_hooks.h"
#include "dui/res_manager.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"

namespace {

constexpr wchar_t kSingleInstanceMutex[] = L"{85A304D0-E819-430d-87A0-28B781FD24C6}";
constexpr int kAnotherInstanceRuns = -1;

KSingleInstance g_single_instance;
ULONG_PTR g_gdiplus_token = 0;

void StartPlatform() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&g_gdiplus_token, &input, nullptr);
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
}

void StopPlatform() {
  // Cached images and fonts are GDI+ objects and must go before GDI+ itself.
  dui::ResManager::DestroyInstance();
  Gdiplus::GdiplusShutdown(g_gdiplus_token);
  CoUninitialize();
}

void SetWindowIcon(HINSTANCE instance, HWND window) {
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PICTOR));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void RunCaptureSession(HINSTANCE instance, SessionOutcome& outcome) {
  dui::ResManager::GetInstance()->SetModule(instance);
  std::unique_ptr<CaptureWindow> capture(new (std::nothrow) CaptureWindow(outcome));
  if (!capture)
    return;
  capture->TakeSnapshot();
  HWND window = capture->CreateDialogWindow(instance);
  // Without its window the session could never end; the process ends at once instead, and
  // gives the single-instance guard back for the next start.
  if (!window)
    return;
  SetWindowIcon(instance, window);
  NotifyFloatWindow();
  RunMessageLoop();
}

}  // namespace

int RunApplication(HINSTANCE instance) {
  if (!g_single_instance.Acquire(kSingleInstanceMutex))
    return kAnotherInstanceRuns;
  OpenDumpMonitor();
  StartPlatform();
  // The session's outcome and the rules it adds to every pop-up live as long as the pop-ups
  // can.
  SessionOutcome outcome;
  SessionWidgetHooks widget_hooks(outcome);
  dui::Widget::SetHooks(&widget_hooks);
  RunCaptureSession(instance, outcome);
  dui::Widget::SetHooks(nullptr);
  StopPlatform();
  g_single_instance.Close();
  return outcome.exit_code;
}

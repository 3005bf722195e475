// Measures one overlay frame of the capture window at the screen's size, beside the cost
// of its two largest parts done alone: the dimming blend and the copy to the window.
// Needs a display: run it with the test build's environment (see README).
#include <windows.h>

#include <cstdio>
#include <functional>

#include "base/gdiplus.h"
#include "base/scoped_get_dc.h"
#include "capture/capture_window.h"
#include "dui/res_manager.h"

namespace {

constexpr int kFrames = 200;

double MillisecondsPerRun(int runs, const std::function<void(int)>& run) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < runs; ++i)
    run(i);
  GdiFlush();
  QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / runs;
}

void Send(HWND window, UINT message, int x, int y) {
  SendMessageW(window, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

}  // namespace

int main() {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  {
    CaptureWindow capture;
    capture.TakeSnapshot();
    HWND window = capture.CreateDialogWindow(GetModuleHandleW(nullptr));
    const int width = capture.screen_width();
    const int height = capture.screen_height();

    // A selection in the middle of the screen, then moved by one pixel per frame: each
    // move composes and shows a whole frame with the frame, the handles and the label.
    Send(window, WM_MOUSEMOVE, 400, 300);
    Send(window, WM_LBUTTONDOWN, 400, 300);
    Send(window, WM_MOUSEMOVE, 1000, 700);
    Send(window, WM_LBUTTONUP, 1000, 700);
    Send(window, WM_LBUTTONDOWN, 700, 500);
    const double frame = MillisecondsPerRun(
        kFrames, [&](int i) { Send(window, WM_MOUSEMOVE, 700 + i % 50, 500 + i % 30); });
    Send(window, WM_LBUTTONUP, 700, 500);

    const BLENDFUNCTION dim = {AC_SRC_OVER, 0, 153, 0};
    const double blend = MillisecondsPerRun(kFrames, [&](int) {
      AlphaBlend(capture.mem_dc(), 0, 0, width, height, capture.original_dc(), 0, 0, width,
                 height, dim);
    });
    base::ScopedGetDc window_dc(window);
    const double present = MillisecondsPerRun(kFrames, [&](int) {
      BitBlt(window_dc.get(), 0, 0, width, height, capture.mem_dc(), 0, 0, SRCCOPY);
    });

    std::printf("screen %d x %d, %d frames each\n", width, height, kFrames);
    std::printf("overlay frame (moving a selection): %.2f ms\n", frame);
    std::printf("  full-screen dimming blend alone:  %.2f ms (%.0f %% of a frame)\n", blend,
                100.0 * blend / frame);
    std::printf("  full-screen copy to the window:   %.2f ms (%.0f %% of a frame)\n", present,
                100.0 * present / frame);
    DestroyWindow(window);
  }
  dui::ResManager::DestroyInstance();
  Gdiplus::GdiplusShutdown(token);
  return 0;
}

// The in-program half of the benchmark (scripts/bench): the time a mouse-move message takes
// in the capture window, by state, from the message to the frame blitted, the magnifier's
// repaint for a move, and one repaint of
// mosaic strokes of 100, 1,000 and 5,000 points at radius 20. Prints "state MS" lines, each
// the median of 40 moves. Runs on the display it is given, over whatever it shows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "base/gdiplus.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "capture/capture_window.h"
#include "capture/wnd_cap_dlg.h"
#include "drawing/k_mosac.h"
#include "drawing/paint_shapes.h"
#include "dui/common_button.h"
#include "dui/res_manager.h"
#include "ui/toolbar.h"

namespace {

constexpr int kMoves = 40;

double Now() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

class Session {
 public:
  explicit Session(CaptureWindow& capture) : capture_(capture), window_(capture.hwnd()) {}

  void Send(UINT message, int x, int y) {
    SendMessageW(window_, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }
  void Drag(int x0, int y0, int x1, int y1) {
    Send(WM_MOUSEMOVE, x0, y0);
    Send(WM_LBUTTONDOWN, x0, y0);
    Send(WM_MOUSEMOVE, (x0 + x1) / 2, (y0 + y1) / 2);
    Send(WM_MOUSEMOVE, x1, y1);
    Send(WM_LBUTTONUP, x1, y1);
  }
  // What a move posts (the pop-ups repaint on posted requests) is part of its frame.
  static void DispatchPosted() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  // The median time of kMoves move messages to `point(i)`.
  double TimeMoves(const std::function<POINT(int)>& point) {
    std::vector<double> times;
    for (int i = 0; i < kMoves; ++i) {
      const POINT p = point(i);
      const double start = Now();
      Send(WM_MOUSEMOVE, p.x, p.y);
      DispatchPosted();
      GdiFlush();
      times.push_back(Now() - start);
    }
    return Median(times);
  }
  void ChooseTool(Tool tool) {
    Toolbar* toolbar = capture_.toolbar();
    toolbar->OnClick(toolbar->button(tool));
  }

 private:
  CaptureWindow& capture_;
  HWND window_;
};

void MeasureStates() {
  SessionOutcome outcome;
  CaptureWindow capture(outcome);
  capture.TakeSnapshot();
  capture.CreateDialogWindow(GetModuleHandleW(nullptr));
  Session session(capture);
  const int width = capture.desktop().width();
  const int height = capture.desktop().height();
  // Moving between windows, then the states of one selection, then drawing with 20 shapes
  // kept.
  std::printf("detecting %.3f\n", session.TimeMoves([&](int i) {
    return POINT{(i % 2 ? width / 3 : 2 * width / 3) + i, height / 2};
  }));
  session.Send(WM_MOUSEMOVE, 200, 200);
  session.Send(WM_LBUTTONDOWN, 200, 200);
  std::printf("selecting %.3f\n", session.TimeMoves([&](int i) {
    return POINT{width / 2 + 6 * i, height / 2 + 4 * i};
  }));
  session.Send(WM_LBUTTONUP, width / 2 + 240, height / 2 + 160);
  session.Send(WM_MOUSEMOVE, 400, 400);
  session.Send(WM_LBUTTONDOWN, 400, 400);
  std::printf("moving %.3f\n", session.TimeMoves([&](int i) {
    return POINT{400 + 3 * i, 400 + 2 * i};
  }));
  session.Send(WM_LBUTTONUP, 400 + 120, 400 + 80);
  const RECT s = capture.selection();
  session.Send(WM_MOUSEMOVE, s.right, s.bottom);
  session.Send(WM_LBUTTONDOWN, s.right, s.bottom);
  std::printf("resizing %.3f\n", session.TimeMoves([&](int i) {
    return POINT{s.right - 3 * i, s.bottom - 2 * i};
  }));
  session.Send(WM_LBUTTONUP, s.right - 120, s.bottom - 80);
  const RECT area = capture.selection();
  session.ChooseTool(Tool::kRectangle);
  for (int i = 0; i < 20; ++i) {
    session.Drag(area.left + 10 + 7 * i, area.top + 10 + 5 * i, area.left + 60 + 9 * i,
                 area.top + 50 + 6 * i);
  }
  session.Send(WM_MOUSEMOVE, area.left + 20, area.top + 20);
  session.Send(WM_LBUTTONDOWN, area.left + 20, area.top + 20);
  std::printf("rectangle %.3f\n", session.TimeMoves([&](int i) {
    return POINT{area.left + 100 + 4 * i, area.top + 80 + 3 * i};
  }));
  session.Send(WM_LBUTTONUP, area.left + 260, area.top + 200);
  session.ChooseTool(Tool::kMosaic);
  session.Send(WM_MOUSEMOVE, area.left + 30, area.bottom - 60);
  session.Send(WM_LBUTTONDOWN, area.left + 30, area.bottom - 60);
  std::printf("mosaic %.3f\n", session.TimeMoves([&](int i) {
    return POINT{area.left + 30 + 8 * i, area.bottom - 60};
  }));
  session.Send(WM_LBUTTONUP, area.left + 350, area.bottom - 60);
  DestroyWindow(capture.hwnd());
}

// The magnifier alone: moved by a pixel and repainted (its posted paint request), in a
// session's window over the screen's picture.
void MeasureMagnifier() {
  SessionOutcome outcome;
  CaptureWindow capture(outcome);
  capture.TakeSnapshot();
  capture.CreateDialogWindow(GetModuleHandleW(nullptr));
  WndCapDlg* magnifier = WndCapDlg::Create(capture.original_dc(), capture.desktop(), {300, 300});
  std::vector<double> times;
  for (int i = 0; i < kMoves; ++i) {
    const double start = Now();
    magnifier->MoveTo({300 + i, 300}, 0, 0);
    Session::DispatchPosted();
    GdiFlush();
    times.push_back(Now() - start);
  }
  std::printf("magnifier %.3f\n", Median(times));
  magnifier->Close();
  DestroyWindow(capture.hwnd());
}

// One repaint of a stroke scrubbing back and forth, a point every 3 pixels, over what the
// screen shows.
void MeasureMosaic() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  base::ScopedGetDc screen(nullptr);
  base::ScopedCreateDc picture_dc(CreateCompatibleDC(screen.get()));
  base::ScopedCreateDc frame_dc(CreateCompatibleDC(screen.get()));
  base::ScopedBitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
  base::ScopedBitmap frame(CreateCompatibleBitmap(screen.get(), width, height));
  base::ScopedSelectObject select_picture(picture_dc.get(), picture.get());
  base::ScopedSelectObject select_frame(frame_dc.get(), frame.get());
  BitBlt(picture_dc.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  const RECT selection = {100, 100, width - 100, height - 100};
  for (int count : {100, 1000, 5000}) {
    KMosac stroke;
    stroke.mosaicSize = 20;
    for (int i = 0; i < count; ++i) {
      const int sweep = i / 300;
      const int along = (i % 300) * 3;
      stroke.points.push_back({300 + (sweep % 2 ? 900 - along : along), 200 + (sweep * 12) % 600});
    }
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
      BitBlt(frame_dc.get(), 0, 0, width, height, picture_dc.get(), 0, 0, SRCCOPY);
      GdiFlush();
      const double start = Now();
      const bool painted = PaintShapes(frame_dc.get(), selection, {&stroke});
      GdiFlush();
      times.push_back(Now() - start);
      if (!painted) {
        std::printf("mosaic-repaint-%d failed\n", count);
        return;
      }
    }
    std::printf("mosaic-repaint-%d %.3f\n", count, Median(times));
  }
}

}  // namespace

int main() {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  MeasureStates();
  MeasureMagnifier();
  MeasureMosaic();
  dui::ResManager::DestroyInstance();
  Gdiplus::GdiplusShutdown(token);
  return 0;
}

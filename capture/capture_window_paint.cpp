// The overlay: every visible change of the capture window is one frame, composed by the
// compositor from the frozen picture and the selection as the model has it, and pushed to
// the window in one pass.
#include "capture/capture_window.h"

#include "base/scoped_get_dc.h"
#include "drawing/drawing.h"

namespace {

// The order the handle pictures are drawn in: the corners' over the sides'.
constexpr Handle kHandleDrawOrder[OverlayScene::kHandleCount] = {
    Handle::kLeft,    Handle::kTop,      Handle::kRight,      Handle::kBottom,
    Handle::kTopLeft, Handle::kTopRight, Handle::kBottomLeft, Handle::kBottomRight};

// Puts what the window's DC drew on the screen now. Some window systems show a window's
// drawing only when its thread waits for messages, which would make each frame wait for
// the work that follows it (the magnifier, the toolbar); a wait that returns at once is
// enough.
void ShowNow() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

}  // namespace

// The frame is pushed to the screen by each change; when the system asks, the last frame is
// shown again rather than the dialog's grey. The first time, the descendants of the
// desktop's windows are read once the frame is on the screen.
void CaptureWindow::OnPaintMessage() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  BitBlt(dc, 0, 0, desktop_.width(), desktop_.height(), snapshot_.frame_dc(), 0, 0, SRCCOPY);
  EndPaint(hwnd_, &paint);
  if (!windows_.descendants_read()) {
    ShowNow();
    PostMessageW(hwnd_, kReadDescendantsMessage, 0, 0);
  }
}

bool CaptureWindow::ComposeWholeFrame(HDC target) {
  return compositor_.ComposeWhole(target, Scene());
}

void CaptureWindow::PaintOverlay() {
  const OverlayScene scene = Scene();
  base::ScopedGetDc window_dc(hwnd_);
  compositor_.Paint(window_dc.get(), scene);
  ShowNow();
}

OverlayScene CaptureWindow::Scene() const {
  OverlayScene scene;
  scene.selection = model_.selection();
  scene.decoration = model_.decoration();
  for (int i = 0; i < OverlayScene::kHandleCount; ++i)
    scene.handles[i] = model_.handle_rect(kHandleDrawOrder[i]);
  scene.decoration_scale = model_.HandleScale();
  scene.labelled = model_.ShowsSize();
  const POINT corner = desktop_.ToScreen(POINT{scene.selection.left, scene.selection.top});
  scene.label_monitor = desktop_.FromScreen(desktop_.MonitorAt(corner));
  scene.label_scale = desktop_.ScaleAt(corner);
  RECT toolbar = {};
  // Where the toolbar goes matters to the label only.
  if (scene.labelled && toolbar_.GetTarget(model_.selection(), &toolbar))
    scene.toolbar = toolbar;
  scene.kept_shapes = annotations_.KeptShapes();
  scene.current_shape = annotations_.current();
  return scene;
}

#include "capture/session_magnifier.h"

#include <algorithm>

#include "capture/selection_model.h"
#include "capture/wnd_cap_dlg.h"

SessionMagnifier::~SessionMagnifier() {
  Close();
}

// The magnifier reads the pixel under the cursor, so the cursor is kept on the picture.
void SessionMagnifier::Open(HDC picture, const base::DesktopGeometry& desktop) {
  Close();
  POINT cursor = {};
  GetCursorPos(&cursor);
  cursor = desktop.FromScreen(cursor);
  const int x = std::clamp<int>(cursor.x, 0, std::max(desktop.width() - 1, 0));
  const int y = std::clamp<int>(cursor.y, 0, std::max(desktop.height() - 1, 0));
  magnifier_ = WndCapDlg::Create(picture, desktop, {x, y});
}

void SessionMagnifier::Follow(const SelectionModel& model, POINT point) {
  if (!magnifier_)
    return;
  const RECT& selection = model.selection();
  switch (model.state()) {
    case SelectionState::kDetecting:
    case SelectionState::kPressed:
    case SelectionState::kSelecting:
    case SelectionState::kResizing:
      magnifier_->MoveTo(point, selection.right - selection.left, selection.bottom - selection.top);
      magnifier_->Show(true);
      break;
    case SelectionState::kSelected:
    case SelectionState::kMovePressed:
    case SelectionState::kMoving:
    case SelectionState::kMoved:
    case SelectionState::kResizePressed:
    case SelectionState::kResized:
      magnifier_->Show(false);
      break;
    case SelectionState::kAnnotating:
    case SelectionState::kAnnotated:
      break;
  }
}

void SessionMagnifier::Close() {
  if (magnifier_)
    magnifier_->Close();
  magnifier_ = nullptr;
}

#include "capture/session_widget_hooks.h"

#include <shellapi.h>

#include <string>

#include "base/process_state.h"
#include "dui/rectangle.h"

namespace {

constexpr dui::Rectangle kSavedFileLinkArea = {160, 53, 235 - 160, 73 - 53};

}  // namespace

void SessionWidgetHooks::OnMouseMessage(UINT message, const dui::Point& client_point) {
  if (!saved_link_ || !kSavedFileLinkArea.Contains(client_point))
    return;
  if (message == WM_MOUSEMOVE) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
  } else if (message == WM_LBUTTONDOWN) {
    const std::wstring parameters = L"/select," + saved_path_;
    ShellExecuteW(nullptr, L"open", L"EXPLORER.EXE", parameters.c_str(), nullptr, SW_SHOWNORMAL);
    PostQuitMessage(0);
  }
}

void SessionWidgetHooks::OnWidgetDestroyed() {
  if (copied_ || saved_)
    PostQuitMessage(0);
}

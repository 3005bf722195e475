#include "capture/session_widget_hooks.h"

#include <shellapi.h>

#include <string>

#include "ui/tip.h"

// By its full path: a search by bare name would also look in the current folder.
std::wstring SessionWidgetHooks::FileManagerPath() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return std::wstring();
  return std::wstring(folder, length) + L"\\explorer.exe";
}

// Quoted, so that a comma or a space in the path stays part of it.
std::wstring SessionWidgetHooks::SelectParameters(const std::wstring& path) {
  return L"/select,\"" + path + L"\"";
}

void SessionWidgetHooks::OnMouseMessage(UINT message, const dui::Point& client_point) {
  if (message != WM_LBUTTONDOWN || !OnLink(client_point))
    return;
  ShellExecuteW(nullptr, L"open", FileManagerPath().c_str(),
                SelectParameters(outcome_.saved_path).c_str(), nullptr, SW_SHOWNORMAL);
  PostQuitMessage(0);
}

// Set whenever the window asks, rather than on each move: the window asks before every move
// and would put its own cursor back in between.
bool SessionWidgetHooks::OnSetCursor(const dui::Point& client_point) {
  if (!OnLink(client_point))
    return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

void SessionWidgetHooks::OnWidgetDestroyed() {
  if (outcome_.copied || (outcome_.saved && !outcome_.balloon_shown))
    PostQuitMessage(0);
}

bool SessionWidgetHooks::OnLink(const dui::Point& client_point) const {
  return outcome_.saved_link && Tip::kLinkArea.Contains(client_point);
}

#pragma once

#include <windows.h>

#include <string>

// The default file name of a saved picture: "截图" and the local time, for example
// 截图20261207153045.
std::wstring DefaultSaveFileName(const SYSTEMTIME& time);

// What the user chose in the save dialog.
struct SaveChoice {
  std::wstring path;
  int filter_index = 1;  // the file type picked, from 1 (PNG)
};

// Shows the system's save dialog for a picture, owned by `owner`, starting on the desktop
// with the default name. False when the user cancels.
[[nodiscard]] bool ShowSaveDialog(HWND owner, SaveChoice* choice);

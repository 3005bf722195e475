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

// Asks whether the existing file `path` may be replaced, in a message box owned by `owner`
// captioned "保存截图"; true for yes.
bool MayReplaceFile(HWND owner, const std::wstring& path);

// Tells, in a message box owned by `owner` captioned "保存截图", that the picture was not
// written to `path`, and the system's `reason`.
void TellSaveFailed(HWND owner, const std::wstring& path, const std::wstring& reason);

// Tells that the save dialog failed with `error` and nothing was saved.
void TellSaveDialogFailed(HWND owner, DWORD error);

// How the save dialog ended.
enum class SaveDialogResult {
  kChosen,     // the user chose a file
  kCancelled,  // the user cancelled
  kFailed,     // the dialog reported an error
};

// Shows the system's save dialog for a picture, owned by `owner`, starting on the desktop
// with the default name; room for paths of any length the system allows. On kFailed,
// `*error` holds the dialog's error code.
[[nodiscard]] SaveDialogResult ShowSaveDialog(HWND owner, SaveChoice* choice, DWORD* error);

#include "capture/save_dialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

namespace {

constexpr DWORD kFileBufferChars = 260;
constexpr wchar_t kDialogTitle[] = L"保存图片";
constexpr wchar_t kDefaultExtension[] = L"png";
// Pairs of description and pattern, ended by an empty pair.
constexpr wchar_t kFilter[] =
    L"PNG(*.png)\0*.png\0JPEG(*.jpeg;*.jpg)\0*.jpg\0BMP(*.bmp)\0*.bmp\0GIF(*.gif)\0*.gif\0";

}  // namespace

std::wstring DefaultSaveFileName(const SYSTEMTIME& time) {
  wchar_t name[64];
  swprintf(name, sizeof(name) / sizeof(name[0]), L"截图%02d%02d%02d%02d%02d%02d", time.wYear,
           time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
  return name;
}

// The wide-character dialog, so that the Chinese default name and title survive on any
// system code page.
bool ShowSaveDialog(HWND owner, SaveChoice* choice) {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  wchar_t file[kFileBufferChars] = {};
  wcsncpy_s(file, DefaultSaveFileName(now).c_str(), _TRUNCATE);
  wchar_t desktop[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = kFileBufferChars;
  dialog.lpstrInitialDir = desktop;
  dialog.lpstrTitle = kDialogTitle;
  dialog.lpstrDefExt = kDefaultExtension;
  dialog.Flags = OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameW(&dialog))
    return false;
  choice->path = file;
  choice->filter_index = static_cast<int>(dialog.nFilterIndex);
  return true;
}

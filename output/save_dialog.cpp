#include "output/save_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cwchar>
#include <optional>

#include "base/file_paths.h"

namespace {

// The longest path the file functions take, with its final zero.
constexpr DWORD kFileBufferChars = 32768;
constexpr wchar_t kDialogTitle[] = L"保存图片";
constexpr wchar_t kSaveMessageTitle[] = L"保存截图";
constexpr wchar_t kDefaultExtension[] = L"png";
// Pairs of description and pattern, ended by an empty pair.
constexpr wchar_t kFilter[] =
    L"PNG(*.png)\0*.png\0JPEG(*.jpeg;*.jpg)\0*.jpg\0BMP(*.bmp)\0*.bmp\0GIF(*.gif)\0*.gif\0";

constexpr UINT_PTR kGuardSubclassId = 1;

// A text the dialog answers for, up to the longest path.
std::wstring DialogText(HWND dialog, UINT message) {
  std::wstring text(kFileBufferChars, L'\0');
  if (SendMessageW(dialog, message, kFileBufferChars, reinterpret_cast<LPARAM>(text.data())) <= 0)
    return std::wstring();
  return text.c_str();
}

// The system's dialog copies a typed path into a buffer of the old 260 characters on some
// platforms (Wine's overflows it and crashes the program). For as long as it lives, a name
// that makes a path of 260 characters or more is taken from the dialog before it sees it:
// asked about as the dialog would ask, then returned as the choice, the dialog cancelled.
class LongNameGuard {
 public:
  LongNameGuard()
      : hook_(SetWindowsHookExW(WH_CBT, &OnWindowEvent, nullptr, GetCurrentThreadId())) {
    current_ = this;
  }
  ~LongNameGuard() {
    if (hook_)
      UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }

  LongNameGuard(const LongNameGuard&) = delete;
  LongNameGuard& operator=(const LongNameGuard&) = delete;

  const std::optional<SaveChoice>& taken() const { return taken_; }

 private:
  // Watches the dialog's OK from the moment it is activated.
  static LRESULT CALLBACK OnWindowEvent(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && current_) {
      HWND window = reinterpret_cast<HWND>(wparam);
      wchar_t title[32] = {};
      GetWindowTextW(window, title, 32);
      if (wcscmp(title, kDialogTitle) == 0) {
        SetWindowSubclass(window, &OnDialogMessage, kGuardSubclassId,
                          reinterpret_cast<DWORD_PTR>(current_));
      }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static LRESULT CALLBACK OnDialogMessage(HWND dialog,
                                          UINT message,
                                          WPARAM wparam,
                                          LPARAM lparam,
                                          UINT_PTR /*id*/,
                                          DWORD_PTR data) {
    if (message == WM_COMMAND && LOWORD(wparam) == IDOK &&
        reinterpret_cast<LongNameGuard*>(data)->TakeLongName(dialog)) {
      return 0;
    }
    if (message == WM_NCDESTROY)
      RemoveWindowSubclass(dialog, &OnDialogMessage, kGuardSubclassId);
    return DefSubclassProc(dialog, message, wparam, lparam);
  }

  // True when the name was a long one and is dealt with here.
  bool TakeLongName(HWND dialog) {
    const std::wstring name = DialogText(dialog, CDM_GETSPEC);
    if (name.empty())
      return false;
    std::wstring path = name;
    if (PathIsRelativeW(name.c_str())) {
      const std::wstring folder = DialogText(dialog, CDM_GETFOLDERPATH);
      if (folder.empty())
        return false;
      path = folder + (folder.back() == L'\\' ? L"" : L"\\") + name;
    }
    if (path.size() < MAX_PATH)
      return false;
    if (base::FileExists(path) && !MayReplaceFile(dialog, path)) {
      return true;
    }
    const LRESULT filter = SendDlgItemMessageW(dialog, cmb1, CB_GETCURSEL, 0, 0);
    taken_ = SaveChoice{path, filter >= 0 ? static_cast<int>(filter) + 1 : 1};
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  }

  static inline LongNameGuard* current_ = nullptr;
  HHOOK hook_;
  std::optional<SaveChoice> taken_;
};

}  // namespace

void TellSaveFailed(HWND owner, const std::wstring& path, const std::wstring& reason) {
  const std::wstring text = L"截图没有保存到\n" + path + L"\n\n" + reason;
  MessageBoxW(owner, text.c_str(), kSaveMessageTitle, MB_OK | MB_ICONERROR);
}

void TellSaveDialogFailed(HWND owner, DWORD error) {
  wchar_t text[128] = {};
  swprintf(text, sizeof(text) / sizeof(text[0]),
           L"保存对话框出错（错误码 0x%04lX），截图没有保存。", static_cast<unsigned long>(error));
  MessageBoxW(owner, text, kSaveMessageTitle, MB_OK | MB_ICONERROR);
}

bool MayReplaceFile(HWND owner, const std::wstring& path) {
  const std::wstring question = path + L" 已存在。\n要替换它吗？";
  return MessageBoxW(owner, question.c_str(), kSaveMessageTitle, MB_YESNO | MB_ICONWARNING) ==
         IDYES;
}

std::wstring DefaultSaveFileName(const SYSTEMTIME& time) {
  wchar_t name[64];
  swprintf(name, sizeof(name) / sizeof(name[0]), L"截图%02d%02d%02d%02d%02d%02d", time.wYear,
           time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
  return name;
}

// The wide-character dialog, so that the Chinese default name and title survive on any
// system code page.
SaveDialogResult ShowSaveDialog(HWND owner, SaveChoice* choice, DWORD* error) {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  std::wstring file = DefaultSaveFileName(now);
  file.resize(kFileBufferChars, L'\0');
  wchar_t desktop[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kFileBufferChars;
  dialog.lpstrInitialDir = desktop;
  dialog.lpstrTitle = kDialogTitle;
  dialog.lpstrDefExt = kDefaultExtension;
  dialog.Flags = OFN_OVERWRITEPROMPT;
  LongNameGuard guard;
  const BOOL chosen = GetSaveFileNameW(&dialog);
  if (guard.taken()) {
    *choice = *guard.taken();
    return SaveDialogResult::kChosen;
  }
  if (!chosen) {
    *error = CommDlgExtendedError();
    return *error == 0 ? SaveDialogResult::kCancelled : SaveDialogResult::kFailed;
  }
  choice->path = file.c_str();
  choice->filter_index = static_cast<int>(dialog.nFilterIndex);
  return SaveDialogResult::kChosen;
}

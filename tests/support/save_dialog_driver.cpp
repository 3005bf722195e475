#include "tests/support/save_dialog_driver.h"

#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace testing_support {
namespace {

constexpr wchar_t kDialogTitle[] = L"保存图片";

// The box that asks whether to replace a file: a dialog owned by the save dialog.
struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<OwnedSearch*>(lparam);
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (GetWindow(window, GW_OWNER) != search->owner || wcscmp(class_name, L"#32770") != 0 ||
      !IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

struct NameSearch {
  HWND box = nullptr;
  std::wstring found;
};

// The file-name box is the edit control that holds the proposed name.
BOOL CALLBACK FindProposedName(HWND child, LPARAM lparam) {
  wchar_t class_name[32] = {};
  GetClassNameW(child, class_name, 32);
  if (_wcsicmp(class_name, L"Edit") != 0)
    return TRUE;
  wchar_t text[MAX_PATH] = {};
  GetWindowTextW(child, text, MAX_PATH);
  if (text[0] == L'\0')
    return TRUE;
  auto* search = reinterpret_cast<NameSearch*>(lparam);
  search->box = child;
  search->found = text;
  return FALSE;
}

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  }
  return true;
}

std::wstring FromUtf8(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length : 0);
  return wide;
}

// Types the path into the name box, which holds the proposed name selected, so that typing
// replaces it. xdotool types characters outside the keyboard map by remapping a spare key
// for each, which the X server may not have seen when the key arrives; such a path is put
// into the box whole, as a paste would.
void EnterPath(HWND box, const std::string& path) {
  if (IsAscii(path) || !box)
    Xdo::Type(path);
  else
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FromUtf8(path).c_str()));
}

}  // namespace

SaveDialogDriver::SaveDialogDriver(Answer answer, const std::string& path)
    : thread_([this, answer, path] { Run(answer, path); }) {}

SaveDialogDriver::~SaveDialogDriver() {
  Finish();
}

void SaveDialogDriver::Finish() {
  if (thread_.joinable())
    thread_.join();
}

void SaveDialogDriver::Run(Answer answer, const std::string& path) {
  HWND dialog = nullptr;
  if (!WaitUntil([&] { return (dialog = FindWindowW(nullptr, kDialogTitle)) != nullptr; }, 20000)) {
    return;
  }
  dialog_seen_ = true;
  NameSearch search;
  (void)WaitUntil(
      [&] {
        EnumChildWindows(dialog, &FindProposedName, reinterpret_cast<LPARAM>(&search));
        return !search.found.empty();
      },
      5000);
  proposed_name_ = search.found;
  Xdo::Focus(dialog);
  switch (answer) {
    case Answer::kTypePath:
      EnterPath(search.box, path);
      Xdo::Key("Return");
      break;
    case Answer::kTypePathAndReplace: {
      EnterPath(search.box, path);
      Xdo::Key("Return");
      OwnedSearch search = {dialog, nullptr};
      if (WaitUntil(
              [&] { return !EnumWindows(&FindOwnedDialog, reinterpret_cast<LPARAM>(&search)); },
              10000))
        PostMessageW(search.found, WM_COMMAND, IDYES, 0);
      break;
    }
    case Answer::kAcceptProposed:
      Xdo::Key("Return");
      break;
    case Answer::kCancel:
      Xdo::Key("Escape");
      break;
  }
  // Never leave the test's thread stuck in the dialog: the test then fails on what the
  // dialog returned instead of hanging.
  if (!WaitUntil([&] { return !IsWindow(dialog); }, 15000))
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace testing_support

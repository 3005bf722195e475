#include "dui/main_dlg.h"

#include <cstring>
#include <vector>

#include "dui/widget.h"

namespace dui {
namespace {

constexpr DWORD kHostStyle =
    WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | DS_SETFONT | DS_FIXEDSYS;
constexpr DWORD kHostExStyle = WS_EX_TOOLWINDOW | WS_EX_LAYERED;
// In dialog units; the widget gives the window its real size right after creation.
constexpr short kTemplateWidth = 243;
constexpr short kTemplateHeight = 211;
constexpr WORD kFontPointSize = 8;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";

// An extended dialog template without controls, menu, class or title.
class HostTemplate {
 public:
  HostTemplate() {
    AddWord(1);       // dlgVer
    AddWord(0xFFFF);  // signature of the extended template
    AddDword(0);      // helpID
    AddDword(kHostExStyle);
    AddDword(kHostStyle);
    AddWord(0);  // no controls
    AddWord(0);  // x
    AddWord(0);  // y
    AddWord(static_cast<WORD>(kTemplateWidth));
    AddWord(static_cast<WORD>(kTemplateHeight));
    AddWord(0);  // no menu
    AddWord(0);  // the system dialog class
    AddWord(0);  // no title
    AddWord(kFontPointSize);
    AddWord(FW_NORMAL);
    AddWord(0);  // not italic, default character set
    for (const wchar_t* c = kFontFace; *c; ++c)
      AddWord(static_cast<WORD>(*c));
    AddWord(0);
  }

  // DWORD-aligned, as the dialog functions expect.
  const DLGTEMPLATE* get() {
    storage_.assign((bytes_.size() + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(storage_.data(), bytes_.data(), bytes_.size());
    return reinterpret_cast<const DLGTEMPLATE*>(storage_.data());
  }

 private:
  void AddWord(WORD value) {
    bytes_.push_back(static_cast<BYTE>(value & 0xFF));
    bytes_.push_back(static_cast<BYTE>(value >> 8));
  }
  void AddDword(DWORD value) {
    AddWord(LOWORD(value));
    AddWord(HIWORD(value));
  }

  std::vector<BYTE> bytes_;
  std::vector<DWORD> storage_;
};

// Centres the window on its owner, or on the work area without one.
void CentreWindow(HWND hwnd) {
  RECT area = {};
  HWND owner = GetWindow(hwnd, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &area))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT window = {};
  GetWindowRect(hwnd, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CMainDlg* CMainDlg::Create(Widget* widget, HWND owner) {
  auto* host = new CMainDlg(widget);
  HostTemplate dialog_template;
  if (!CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog_template.get(), owner,
                                  &CMainDlg::DialogProc, reinterpret_cast<LPARAM>(host))) {
    // Creation fails only before WM_INITDIALOG (nothing destroys the window during it), so
    // the window never took the object over.
    delete host;
    return nullptr;
  }
  return host;
}

INT_PTR CALLBACK CMainDlg::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* host = reinterpret_cast<CMainDlg*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, lparam);
    host->OnInitDialog(hwnd);
    // No keyboard focus for a window that is not shown yet: a pop-up made while the user
    // types elsewhere must not take the keyboard, or the active window, away.
    return FALSE;
  }
  auto* host = reinterpret_cast<CMainDlg*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!host)
    return FALSE;
  if (message == WM_NCDESTROY) {
    host->OnFinalMessage();
    return FALSE;
  }
  // The widget may delete itself, and this object, while it handles the message: only
  // locals are used from here on.
  return ForwardToWidget(host->widget_, hwnd, message, wparam, lparam);
}

INT_PTR CMainDlg::ForwardToWidget(Widget* widget,
                                  HWND hwnd,
                                  UINT message,
                                  WPARAM wparam,
                                  LPARAM lparam) {
  if (!widget)
    return FALSE;
  LRESULT result = 0;
  if (!widget->HandleMessage(message, wparam, lparam, &result))
    return FALSE;
  if (IsWindow(hwnd))
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

void CMainDlg::OnInitDialog(HWND hwnd) {
  hwnd_ = hwnd;
  CentreWindow(hwnd);
  SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_MINIMIZEBOX);
}

void CMainDlg::OnFinalMessage() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  if (quitOnFinalMessage_)
    PostQuitMessage(0);
  delete this;
}

}  // namespace dui

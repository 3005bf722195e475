#include "tests/support/child_process.h"

namespace testing_support {
namespace {

std::wstring Quote(const std::wstring& text) {
  return L"\"" + text + L"\"";
}

struct WindowSearch {
  DWORD process_id;
  bool (*accept)(HWND);
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<WindowSearch*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window))
    return TRUE;
  if (search->accept && !search->accept(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& program,
                           const std::vector<std::wstring>& arguments,
                           const std::wstring& working_folder) {
  std::wstring command_line = Quote(program);
  for (const std::wstring& argument : arguments)
    command_line += L" " + Quote(argument);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     working_folder.empty() ? nullptr : working_folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (process_) {
    Kill();
    CloseHandle(process_);
  }
}

bool ChildProcess::WaitForExit(DWORD timeout_ms) {
  return process_ && WaitForSingleObject(process_, timeout_ms) == WAIT_OBJECT_0;
}

bool ChildProcess::IsRunning() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

int ChildProcess::exit_code() const {
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

HWND ChildProcess::FindVisibleWindow(bool (*accept)(HWND)) const {
  WindowSearch search = {id_, accept, nullptr};
  EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ChildProcess::Kill() {
  if (IsRunning()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
}

}  // namespace testing_support

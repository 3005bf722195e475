#include "tests/support/xdo.h"

#include <cstdio>
#include <fstream>

#include "tests/support/wait.h"

namespace testing_support {
namespace {

constexpr DWORD kXdotoolTimeoutMs = 20000;

// A Linux path for files that both this Windows process (through drive Z:) and the shell
// can reach.
std::string MarkerPath() {
  static int counter = 0;
  char path[128];
  std::snprintf(path, sizeof(path), "/tmp/pictor-xdo-%lu-%d", GetCurrentProcessId(), ++counter);
  return path;
}

std::wstring WindowsPath(const std::string& linux_path) {
  std::wstring path = L"Z:";
  for (char c : linux_path)
    path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

std::wstring Widen(const std::string& text) {
  const int chars = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(chars > 0 ? chars - 1 : 0, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), chars);
  return wide;
}

}  // namespace

bool Xdo::Run(const std::string& arguments) {
  const std::string marker = MarkerPath();
  const std::string script = "xdotool " + arguments + " >/dev/null 2>&1; echo $? > " + marker +
                             ".tmp; mv " + marker + ".tmp " + marker;
  std::wstring command = L"/bin/sh -c \"" + Widen(script) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  const std::wstring marker_file = WindowsPath(marker);
  const bool finished =
      WaitUntil([&] { return GetFileAttributesW(marker_file.c_str()) != INVALID_FILE_ATTRIBUTES; },
                kXdotoolTimeoutMs);
  if (!finished)
    return false;
  int status = -1;
  std::ifstream(marker_file.c_str()) >> status;
  DeleteFileW(marker_file.c_str());
  return status == 0;
}

bool Xdo::MoveMouse(int x, int y) {
  return Run("mousemove " + std::to_string(x) + " " + std::to_string(y));
}

bool Xdo::Click(int x, int y, int button) {
  return Run("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " +
             std::to_string(button));
}

bool Xdo::DoubleClick(int x, int y) {
  return Run("mousemove " + std::to_string(x) + " " + std::to_string(y) +
             " click --repeat 2 --delay 80 1");
}

bool Xdo::Drag(int from_x, int from_y, int to_x, int to_y) {
  const int middle_x = (from_x + to_x) / 2;
  const int middle_y = (from_y + to_y) / 2;
  return Run("mousemove " + std::to_string(from_x) + " " + std::to_string(from_y) +
             " mousedown 1 mousemove " + std::to_string(middle_x) + " " + std::to_string(middle_y) +
             " mousemove " + std::to_string(to_x) + " " + std::to_string(to_y) + " mouseup 1");
}

bool Xdo::Key(const std::string& keys) {
  return Run("key " + keys);
}

bool Xdo::Type(const std::string& text) {
  return Run("type --delay 20 '" + text + "'");
}

bool Xdo::Focus(HWND window) {
  // Wine creates and maps the X window a little after the Windows window exists; until it
  // is viewable, X refuses it the focus.
  return WaitUntil(
      [&] {
        const auto x_window =
            reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window"));
        return x_window && Run("windowfocus --sync " + std::to_string(x_window));
      },
      kXdotoolTimeoutMs);
}

}  // namespace testing_support

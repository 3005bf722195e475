#include "tests/support/xdo.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/support/test_paths.h"
#include "tests/support/wait.h"

namespace testing_support {
namespace {

constexpr DWORD kXdotoolTimeoutMs = 20000;

std::wstring WindowsPath(const std::string& linux_path) {
  std::wstring path = L"Z:";
  for (char c : linux_path)
    path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

// A Linux path for files that both this Windows process (through drive Z:) and the shell
// can reach. They lie in a folder of this process's own: a Windows process id is unique
// only within one wineserver, and tests under other wineservers run beside these (the
// other screens and monitor layouts, other trees' runs), with the same ids; markers named
// by the id alone were taken by the other process, whose command then seemed not to end.
std::string MarkerPath() {
  static const ScopedTempFolder folder(L"Z:\\tmp\\");
  static int counter = 0;
  std::string path;
  for (wchar_t c : folder.path().substr(2))
    path += c == L'\\' ? '/' : static_cast<char>(c);
  return path + std::to_string(++counter);
}

std::wstring Widen(const std::string& text) {
  const int chars = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(chars > 0 ? chars - 1 : 0, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), chars);
  return wide;
}

// The text of `file`, which is deleted.
std::string TakeText(const std::wstring& file) {
  std::string text;
  {
    std::ifstream stream(file.c_str());
    text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  }
  DeleteFileW(file.c_str());
  return text;
}

// Runs `command` through /bin/sh to its end; its exit status, or -1 when it did not start
// or end. Its standard output goes into `output` when one is given.
int RunShell(const std::string& command, std::string* output) {
  const std::string marker = MarkerPath();
  const std::string script = "{ " + command + "; } >" + (output ? marker + ".out" : "/dev/null") +
                             " 2>/dev/null; echo $? > " + marker + ".tmp; mv " + marker + ".tmp " +
                             marker;
  std::wstring shell = L"/bin/sh -c \"" + Widen(script) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, shell.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  const std::wstring marker_file = WindowsPath(marker);
  const bool finished =
      WaitUntil([&] { return GetFileAttributesW(marker_file.c_str()) != INVALID_FILE_ATTRIBUTES; },
                kXdotoolTimeoutMs);
  if (!finished)
    return -1;
  const std::string status = TakeText(marker_file);
  if (output)
    *output = TakeText(WindowsPath(marker + ".out"));
  return status.empty() ? -1 : std::atoi(status.c_str());
}

}  // namespace

bool Xdo::Run(const std::string& arguments) {
  return RunShell("xdotool " + arguments, nullptr) == 0;
}

std::string Xdo::RootPoint(int x, int y) {
  return std::to_string(x - GetSystemMetrics(SM_XVIRTUALSCREEN)) + " " +
         std::to_string(y - GetSystemMetrics(SM_YVIRTUALSCREEN));
}

std::optional<SIZE> Xdo::DisplaySize() {
  // Without the monitor layout's stand-in for Xinerama (scripts/lib/other-layout), which
  // would make xdotool answer with the first monitor's size.
  std::string answer;
  if (RunShell("env -u LD_LIBRARY_PATH xdotool getdisplaygeometry", &answer) != 0)
    return std::nullopt;
  SIZE size = {};
  if (std::sscanf(answer.c_str(), "%ld %ld", &size.cx, &size.cy) != 2)
    return std::nullopt;
  return size;
}

bool Xdo::MoveMouse(int x, int y) {
  return Run("mousemove " + RootPoint(x, y));
}

bool Xdo::Click(int x, int y, int button) {
  return Run("mousemove " + RootPoint(x, y) + " click " + std::to_string(button));
}

bool Xdo::DoubleClick(int x, int y) {
  return Run("mousemove " + RootPoint(x, y) + " click --repeat 2 --delay 80 1");
}

bool Xdo::Drag(int from_x, int from_y, int to_x, int to_y) {
  return Run("mousemove " + RootPoint(from_x, from_y) + " mousedown 1 mousemove " +
             RootPoint((from_x + to_x) / 2, (from_y + to_y) / 2) + " mousemove " +
             RootPoint(to_x, to_y) + " mouseup 1");
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

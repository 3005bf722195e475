#include "tests/fakes/record/record_file.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace fakes {
namespace {

std::string ToUtf8(const std::wstring& text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes,
                      nullptr, nullptr);
  return utf8;
}

std::wstring FromUtf8(const std::string& utf8) {
  const int chars =
      MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(chars, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), text.data(), chars);
  return text;
}

}  // namespace

void AppendRecord(const wchar_t* variable, const std::wstring& line) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(variable, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return;
  // One write per line, so that a reader polling the file never sees half a line.
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  const std::string bytes = ToUtf8(line) + "\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<std::wstring> ReadRecords(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::vector<std::wstring> lines;
  std::string line;
  while (std::getline(file, line))
    lines.push_back(FromUtf8(line));
  return lines;
}

}  // namespace fakes

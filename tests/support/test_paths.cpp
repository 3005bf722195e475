#include "tests/support/test_paths.h"

#include <windows.h>

namespace testing_support {

std::wstring BinaryFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

namespace {

std::wstring TempPath() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

}  // namespace

ScopedTempFolder::ScopedTempFolder() : ScopedTempFolder(TempPath()) {}

ScopedTempFolder::ScopedTempFolder(const std::wstring& parent) {
  static int counter = 0;
  for (;;) {
    path_ = parent + L"pictor-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    // Taken: the next name; any other failure would repeat for every name.
    if (CreateDirectoryW(path_.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
      break;
  }
}

ScopedTempFolder::~ScopedTempFolder() {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::wstring file = path_ + found.cFileName;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path_.c_str());
}

}  // namespace testing_support

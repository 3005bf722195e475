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

namespace {

// Deletes the folder `path` (ending in a backslash) with everything in it, at any depth and
// path length.
void DeleteTree(const std::wstring& path) {
  const std::wstring long_path = L"\\\\?\\" + path;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((long_path + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..")
        continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(path + name + L"\\");
      } else {
        SetFileAttributesW((long_path + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((long_path + name).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(long_path.c_str());
}

}  // namespace

ScopedTempFolder::~ScopedTempFolder() {
  DeleteTree(path_);
}

}  // namespace testing_support

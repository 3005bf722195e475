#include "base/file_paths.h"

#include <windows.h>

namespace base {
namespace {

constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

}  // namespace

std::wstring LongPathForm(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.rfind(kLongPathPrefix, 0) == 0)
    return path;
  if (path.rfind(L"\\\\", 0) == 0)
    return kLongUncPrefix + path.substr(2);
  return kLongPathPrefix + path;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return std::wstring();
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

}  // namespace base

#include "base/registry.h"

#include <cwchar>
#include <vector>

namespace base {
namespace {

bool IsAccepted(DWORD type, RegistryStringTypes types) {
  return type == REG_SZ ||
         (type == REG_EXPAND_SZ && types == RegistryStringTypes::kPlainOrExpandable);
}

}  // namespace

ScopedHkey OpenRegistryKey(HKEY root, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return ScopedHkey();
  return ScopedHkey(key);
}

LSTATUS ReadRegistryString(HKEY key,
                           const wchar_t* name,
                           RegistryStringTypes types,
                           size_t max_chars,
                           std::wstring* value) {
  value->clear();
  DWORD type = 0;
  DWORD bytes = 0;
  LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes);
  if (status != ERROR_SUCCESS)
    return status;
  if (!IsAccepted(type, types) || bytes % sizeof(wchar_t) != 0)
    return ERROR_INVALID_DATA;
  // One character more than the data, so that data without a terminating zero gets one.
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  status =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
  if (status != ERROR_SUCCESS)
    return status;
  // The value may have changed between the two reads.
  if (!IsAccepted(type, types) || bytes % sizeof(wchar_t) != 0)
    return ERROR_INVALID_DATA;
  const size_t length = wcsnlen(buffer.data(), bytes / sizeof(wchar_t));
  if (length > max_chars)
    return ERROR_INVALID_DATA;
  value->assign(buffer.data(), length);
  return ERROR_SUCCESS;
}

}  // namespace base

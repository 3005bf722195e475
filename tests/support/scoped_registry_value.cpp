#include "tests/support/scoped_registry_value.h"

namespace testing_support {

ScopedRegistryValue::ScopedRegistryValue(HKEY root,
                                         const std::wstring& key,
                                         const std::wstring& name)
    : root_(root), key_(key), name_(name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return;
  key_existed_ = true;
  DWORD bytes = 0;
  if (RegQueryValueExW(handle, name_.c_str(), nullptr, &old_type_, nullptr, &bytes) ==
      ERROR_SUCCESS) {
    old_bytes_.resize(bytes);
    value_existed_ = RegQueryValueExW(handle, name_.c_str(), nullptr, &old_type_, old_bytes_.data(),
                                      &bytes) == ERROR_SUCCESS;
  }
  RegCloseKey(handle);
}

ScopedRegistryValue::~ScopedRegistryValue() {
  if (value_existed_) {
    SetRaw(old_type_, old_bytes_.data(), static_cast<DWORD>(old_bytes_.size()));
    return;
  }
  Delete();
  if (!key_existed_)
    RegDeleteKeyW(root_, key_.c_str());
}

bool ScopedRegistryValue::SetString(const std::wstring& text, DWORD type) {
  return SetRaw(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool ScopedRegistryValue::SetDword(DWORD value) {
  return SetRaw(REG_DWORD, &value, sizeof(value));
}

bool ScopedRegistryValue::SetRaw(DWORD type, const void* bytes, DWORD size) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool written = RegSetValueExW(handle, name_.c_str(), 0, type,
                                      static_cast<const BYTE*>(bytes), size) == ERROR_SUCCESS;
  RegCloseKey(handle);
  return written;
}

bool ScopedRegistryValue::Delete() {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS status = RegDeleteValueW(handle, name_.c_str());
  RegCloseKey(handle);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace testing_support

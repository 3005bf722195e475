#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Sets or deletes one registry value for the length of a test and puts back what was there
// before (also the absence of the key). Tests that use it run in the "session" lock, so no
// other test sees the change.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name);
  ~ScopedRegistryValue();

  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

  bool SetString(const std::wstring& text, DWORD type = REG_SZ);
  bool SetDword(DWORD value);
  // Writes raw bytes with the given type, for malformed values.
  bool SetRaw(DWORD type, const void* bytes, DWORD size);
  // Deletes the value; the key stays (it is created when missing).
  bool Delete();

 private:
  HKEY root_;
  std::wstring key_;
  std::wstring name_;
  bool key_existed_ = false;
  bool value_existed_ = false;
  DWORD old_type_ = 0;
  std::vector<BYTE> old_bytes_;
};

}  // namespace testing_support

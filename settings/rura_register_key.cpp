#include "settings/rura_register_key.h"

#include <cwchar>
#include <vector>

#include "settings/settings_key.h"

namespace {

constexpr DWORD kStringBufferChars = RURARegisterKey::kMaxStringLength + 1;

// Copies at most kMaxStringLength characters of a value read into a byte buffer.
void CopyCut(wchar_t* out, const wchar_t* value, size_t available_chars) {
  size_t length = 0;
  while (length < available_chars && length < RURARegisterKey::kMaxStringLength &&
         value[length] != L'\0') {
    ++length;
  }
  wmemcpy(out, value, length);
  out[length] = L'\0';
}

}  // namespace

RURARegisterKey::~RURARegisterKey() {
  Close();
}

bool RURARegisterKey::Open(bool forReading) {
  Close();
  LSTATUS status;
  if (forReading) {
    status = RegOpenKeyW(HKEY_LOCAL_MACHINE, kSettingsKeyPath, &key_);
  } else {
    status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &key_, nullptr);
  }
  if (status != ERROR_SUCCESS)
    key_ = nullptr;
  return status == ERROR_SUCCESS;
}

bool RURARegisterKey::SetString(const wchar_t* name, const wchar_t* text) {
  if (!key_ || !name || !text)
    return false;
  const DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
  return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
         ERROR_SUCCESS;
}

bool RURARegisterKey::GetString(wchar_t* out, const wchar_t* name) {
  if (!out)
    return false;
  out[0] = L'\0';
  if (!key_ || !name)
    return false;

  wchar_t buffer[kStringBufferChars] = {};
  DWORD type = 0;
  DWORD bytes = sizeof(buffer);
  LSTATUS status =
      RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
  if (status == ERROR_SUCCESS) {
    if (type != REG_SZ)
      return false;
    CopyCut(out, buffer, bytes / sizeof(wchar_t));
    return true;
  }
  if (status != ERROR_MORE_DATA || type != REG_SZ)
    return false;

  // Longer than the buffer: read it whole, with room for a terminating zero, and keep
  // its beginning.
  std::vector<BYTE> whole(bytes + sizeof(wchar_t), 0);
  DWORD whole_bytes = bytes;
  status = RegQueryValueExW(key_, name, nullptr, &type, whole.data(), &whole_bytes);
  if (status != ERROR_SUCCESS || type != REG_SZ)
    return false;
  CopyCut(out, reinterpret_cast<const wchar_t*>(whole.data()), whole_bytes / sizeof(wchar_t));
  return true;
}

void RURARegisterKey::Close() {
  if (key_) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

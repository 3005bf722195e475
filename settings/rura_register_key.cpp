#include "settings/rura_register_key.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "base/registry.h"
#include "settings/settings_key.h"

RURARegisterKey::~RURARegisterKey() = default;

// Reading must not create the key: nothing but the first-use flag is ever written.
bool RURARegisterKey::Open(Access access) {
  Close();
  HKEY key = nullptr;
  const LSTATUS status =
      access == Access::kRead
          ? RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_QUERY_VALUE, &key)
          : RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS)
    return false;
  key_.reset(key);
  return true;
}

bool RURARegisterKey::SetString(const wchar_t* name, const wchar_t* text) {
  if (!key_ || !name || !text)
    return false;
  const DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
  return RegSetValueExW(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
         ERROR_SUCCESS;
}

bool RURARegisterKey::GetString(wchar_t* out, const wchar_t* name) {
  if (!out)
    return false;
  out[0] = L'\0';
  if (!key_ || !name)
    return false;
  std::wstring value;
  if (base::ReadRegistryString(key_.get(), name, base::RegistryStringTypes::kPlain,
                               value.max_size(), &value) != ERROR_SUCCESS) {
    return false;
  }
  // A longer value keeps its beginning.
  const size_t length = std::min<size_t>(value.size(), kMaxStringLength);
  wmemcpy(out, value.data(), length);
  out[length] = L'\0';
  return true;
}

void RURARegisterKey::Close() {
  key_.reset();
}

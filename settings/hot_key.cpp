#include "settings/hot_key.h"

#include <windows.h>

#include <cstdlib>

#include "settings/settings_key.h"

namespace {

constexpr long kCtrlBit = 0x400;
constexpr long kShiftBit = 0x200;
constexpr long kAltBit = 0x100;
constexpr wchar_t kDefaultHotKeyCode[] = L"1345";
constexpr DWORD kValueBufferChars = 260;

struct PunctuationKey {
  long virtual_key;
  const wchar_t* text;
};

constexpr PunctuationKey kPunctuationKeys[] = {
    {0xBA, L";"}, {0xBB, L"="}, {0xBC, L","},  {0xBD, L"-"}, {0xBE, L"."}, {0xBF, L"/"},
    {0xC0, L"~"}, {0xDB, L"["}, {0xDC, L"\\"}, {0xDD, L"]"}, {0xDE, L"'"},
};

std::wstring KeyText(long key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= VK_F1 && key <= VK_F12)
    return L"F" + std::to_wstring(key - (VK_F1 - 1));
  for (const PunctuationKey& entry : kPunctuationKeys) {
    if (entry.virtual_key == key)
      return entry.text;
  }
  return std::wstring();
}

// Accepts what a well-formed string value looks like: a string type, and data that is
// empty or a whole number of characters ending in a zero.
LSTATUS QueryStringValue(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD buffer_chars) {
  DWORD type = 0;
  DWORD bytes = buffer_chars * sizeof(wchar_t);
  LSTATUS status =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
  if (status != ERROR_SUCCESS)
    return status;
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    return ERROR_INVALID_DATA;
  if (bytes != 0 && (bytes % sizeof(wchar_t) != 0 || buffer[bytes / sizeof(wchar_t) - 1] != 0))
    return ERROR_INVALID_DATA;
  return ERROR_SUCCESS;
}

long ReadHotKeyCode() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return 0;
  wchar_t text[kValueBufferChars] = {};
  LSTATUS status = QueryStringValue(key, kHotKeyValueName, text, kValueBufferChars - 1);
  if (status == ERROR_FILE_NOT_FOUND)
    wcscpy_s(text, kDefaultHotKeyCode);
  else if (status != ERROR_SUCCESS)
    text[0] = L'\0';
  RegCloseKey(key);
  return _wtol(text);
}

}  // namespace

std::wstring HotKeyCodeText(long code) {
  std::wstring text;
  if (code & kCtrlBit) {
    text += L"CTRL+";
    code -= kCtrlBit;
  }
  if (code & kShiftBit) {
    text += L"SHIFT+";
    code -= kShiftBit;
  }
  if (code & kAltBit) {
    text += L"ALT+";
    code -= kAltBit;
  }
  return text + KeyText(code);
}

std::wstring HotKeyText() {
  return HotKeyCodeText(ReadHotKeyCode());
}

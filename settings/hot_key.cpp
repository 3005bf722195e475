#include "settings/hot_key.h"

#include <windows.h>

#include <cstdlib>

#include "base/registry.h"
#include "settings/settings_key.h"

namespace {

constexpr long kCtrlBit = 0x400;
constexpr long kShiftBit = 0x200;
constexpr long kAltBit = 0x100;
constexpr wchar_t kDefaultHotKeyCode[] = L"1345";
// The longest code text read, as the host suite's own reader takes it.
constexpr size_t kMaxCodeChars = 258;

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

long ReadHotKeyCode() {
  const base::ScopedHkey key = base::OpenRegistryKey(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
  if (!key)
    return 0;
  std::wstring text;
  const LSTATUS status =
      base::ReadRegistryString(key.get(), kHotKeyValueName,
                               base::RegistryStringTypes::kPlainOrExpandable, kMaxCodeChars, &text);
  // Only a missing value means the default; a malformed one means no hot key.
  if (status == ERROR_FILE_NOT_FOUND)
    text = kDefaultHotKeyCode;
  return _wtol(text.c_str());
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

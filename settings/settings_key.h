#pragma once

// The machine-wide registry key that this program shares with the host suite, under
// HKEY_LOCAL_MACHINE. The suite writes the hot key there; the program writes only the
// first-use flag.
inline constexpr wchar_t kSettingsKeyPath[] = L"software\\velmora";
inline constexpr wchar_t kHotKeyValueName[] = L"operation_accelerator_code";

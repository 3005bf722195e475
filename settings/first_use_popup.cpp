#include "settings/first_use_popup.h"

#include <cstdio>
#include <cstdlib>

#include "settings/popup_client.h"
#include "settings/rura_register_key.h"

namespace {

constexpr wchar_t kFlagValueName[] = L"operation_Pictor_IsShowFloatWinTip";
constexpr wchar_t kEventName[] = L"ctrl_alt_a";
constexpr wchar_t kTimeoutName[] = L"timeout";
constexpr int kTimeoutSeconds = 3;
constexpr wchar_t kActiveTriggerName[] = L"activetrigger";
constexpr int kActiveTrigger = 1;
constexpr int kShown = 1;

// A flag that cannot be read counts as 0.
int ReadFlag() {
  RURARegisterKey key;
  wchar_t text[RURARegisterKey::kMaxStringLength + 1] = {};
  if (!key.Open(RURARegisterKey::Access::kRead) || !key.GetString(text, kFlagValueName))
    return 0;
  return _wtoi(text);
}

void WriteFlag() {
  wchar_t text[16] = {};
  swprintf(text, sizeof(text) / sizeof(text[0]), L"%d", kShown);
  RURARegisterKey key;
  if (key.Open(RURARegisterKey::Access::kWrite))
    key.SetString(kFlagValueName, text);
}

}  // namespace

bool ShowFirstUsePopup() {
  if (ReadFlag() != 0)
    return false;
  {
    PopupClient client = PopupClient::Load();
    client.SetEvent(kEventName);
    client.SetTimeout(kTimeoutName, kTimeoutSeconds);
    client.SetActiveTrigger(kActiveTriggerName, kActiveTrigger);
    client.Show();
  }
  WriteFlag();
  return true;
}

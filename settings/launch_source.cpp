#include "settings/launch_source.h"

#include <stdlib.h>

#include <cwchar>
#include <string>

#include "settings/hot_key.h"

namespace {

struct LaunchWord {
  const wchar_t* word;
  LaunchSource source;
};

constexpr LaunchWord kLaunchWords[] = {
    {L"floatwin", LaunchSource::kFloatWin},         {L"litedesk", LaunchSource::kLiteDesk},
    {L"litedeskitem", LaunchSource::kLiteDeskItem}, {L"startmenu", LaunchSource::kStartMenu},
    {L"feedback", LaunchSource::kFeedback},         {L"floatwinmenu", LaunchSource::kFloatWinMenu},
};

LaunchSource HotKeySource() {
  const std::wstring hot_key = HotKeyText();
  if (hot_key == L"CTRL+ALT+A")
    return LaunchSource::kHotKeyCtrlAltA;
  if (hot_key == L"ALT+A")
    return LaunchSource::kHotKeyAltA;
  return LaunchSource::kHotKeyOther;
}

}  // namespace

LaunchSource ParseLaunchSource(int argc, const wchar_t* const* argv) {
  if (argc != 2 || !argv || !argv[1])
    return LaunchSource::kUnknown;
  const wchar_t* word = argv[1];
  if (wcscmp(word, L"keyboard") == 0)
    return HotKeySource();
  for (const LaunchWord& entry : kLaunchWords) {
    if (wcscmp(word, entry.word) == 0)
      return entry.source;
  }
  return LaunchSource::kUnknown;
}

LaunchSource ParseLaunchSource() {
  return ParseLaunchSource(__argc, __wargv);
}

#include "settings/launch_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_key.h"
#include "tests/support/scoped_registry_value.h"

namespace {

using testing_support::ScopedRegistryValue;

LaunchSource Parse(std::initializer_list<const wchar_t*> arguments) {
  std::vector<const wchar_t*> argv = {L"pictor.exe"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return ParseLaunchSource(static_cast<int>(argv.size()), argv.data());
}

TEST(LaunchSourceTest, EachWordNamesItsSource) {
  EXPECT_EQ(Parse({L"floatwin"}), LaunchSource::kFloatWin);
  EXPECT_EQ(Parse({L"litedesk"}), LaunchSource::kLiteDesk);
  EXPECT_EQ(Parse({L"litedeskitem"}), LaunchSource::kLiteDeskItem);
  EXPECT_EQ(Parse({L"startmenu"}), LaunchSource::kStartMenu);
  EXPECT_EQ(Parse({L"feedback"}), LaunchSource::kFeedback);
  EXPECT_EQ(Parse({L"floatwinmenu"}), LaunchSource::kFloatWinMenu);
}

TEST(LaunchSourceTest, OtherCommandLinesAreUnknown) {
  EXPECT_EQ(Parse({}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"Floatwin"}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"FEEDBACK"}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"floatwi"}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"floatwin "}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L""}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"floatwin", L"feedback"}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"keyboard", L"keyboard"}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"\u622a\u56fe"}), LaunchSource::kUnknown);
  EXPECT_EQ(Parse({L"\uff46\uff4c\uff4f\uff41\uff54\uff57\uff49\uff4e"}), LaunchSource::kUnknown);
  const std::wstring long_word = L"floatwin" + std::wstring(32000, L'n');
  EXPECT_EQ(Parse({long_word.c_str()}), LaunchSource::kUnknown);
  std::vector<const wchar_t*> many = {L"pictor.exe"};
  many.insert(many.end(), 5000, L"floatwin");
  EXPECT_EQ(ParseLaunchSource(static_cast<int>(many.size()), many.data()), LaunchSource::kUnknown);
}

TEST(LaunchSourceTest, KeyboardIsToldApartByTheConfiguredHotKey) {
  ScopedRegistryValue value(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kHotKeyValueName);
  const struct {
    const wchar_t* stored;  // null: no value
    LaunchSource source;
  } cases[] = {
      {nullptr, LaunchSource::kHotKeyCtrlAltA},  // the default is CTRL+ALT+A
      {L"1345", LaunchSource::kHotKeyCtrlAltA}, {L"321", LaunchSource::kHotKeyAltA},  // 0x141
      {L"1136", LaunchSource::kHotKeyOther},    {L"abc", LaunchSource::kHotKeyOther},
  };
  for (const auto& entry : cases) {
    if (entry.stored)
      ASSERT_TRUE(value.SetString(entry.stored));
    else
      ASSERT_TRUE(value.Delete());
    EXPECT_EQ(Parse({L"keyboard"}), entry.source)
        << "stored " << (entry.stored ? testing::PrintToString(entry.stored) : "nothing");
  }
  EXPECT_EQ(Parse({L"Keyboard"}), LaunchSource::kUnknown);
}

}  // namespace

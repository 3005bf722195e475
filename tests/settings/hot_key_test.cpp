#include "settings/hot_key.h"

#include <gtest/gtest.h>

#include "settings/settings_key.h"
#include "tests/support/scoped_registry_value.h"

namespace {

using testing_support::ScopedRegistryValue;

TEST(HotKeyTest, CodesBecomeModifiersAndKey) {
  const struct {
    long code;
    const wchar_t* text;
  } cases[] = {
      {0x541, L"CTRL+ALT+A"},
      {0x470, L"CTRL+F1"},
      {0x27B, L"SHIFT+F12"},
      {0x130, L"ALT+0"},
      {0x400, L"CTRL+"},
      {0x420, L"CTRL+"},
      {0x141, L"ALT+A"},
      {0x75A, L"CTRL+SHIFT+ALT+Z"},
      {0x4BA, L"CTRL+;"},
      {0x4BB, L"CTRL+="},
      {0x4BC, L"CTRL+,"},
      {0x4BD, L"CTRL+-"},
      {0x4BE, L"CTRL+."},
      {0x4BF, L"CTRL+/"},
      {0x4C0, L"CTRL+~"},
      {0x4DB, L"CTRL+["},
      {0x4DC, L"CTRL+\\"},
      {0x4DD, L"CTRL+]"},
      {0x4DE, L"CTRL+'"},
      {0x439, L"CTRL+9"},
      {0x47B, L"CTRL+F12"},
      {0x47C, L"CTRL+"},
      {0x46F, L"CTRL+"},
      {0, L""},
      {0x40, L""},
      {0x5B, L""},
  };
  for (const auto& entry : cases)
    EXPECT_EQ(HotKeyCodeText(entry.code), entry.text) << "code " << std::hex << entry.code;
}

class HotKeySettingTest : public testing::Test {
 protected:
  ScopedRegistryValue value_{HKEY_LOCAL_MACHINE, kSettingsKeyPath, kHotKeyValueName};
};

TEST_F(HotKeySettingTest, MissingValueIsTheDefaultCtrlAltA) {
  ASSERT_TRUE(value_.Delete());
  EXPECT_EQ(HotKeyText(), L"CTRL+ALT+A");
}

TEST_F(HotKeySettingTest, StringValuesAreReadAsDecimalCodes) {
  const struct {
    const wchar_t* stored;
    const wchar_t* text;
  } cases[] = {
      {L"1136", L"CTRL+F1"}, {L"635", L"SHIFT+F12"},
      {L"304", L"ALT+0"},    {L"1024", L"CTRL+"},
      {L"0", L""},           {L"", L""},
      {L"abc", L""},         {L"1345", L"CTRL+ALT+A"},
  };
  for (const auto& entry : cases) {
    ASSERT_TRUE(value_.SetString(entry.stored));
    EXPECT_EQ(HotKeyText(), entry.text)
        << "stored \"" << testing::PrintToString(entry.stored) << "\"";
  }
}

TEST_F(HotKeySettingTest, ExpandableStringIsAccepted) {
  ASSERT_TRUE(value_.SetString(L"1136", REG_EXPAND_SZ));
  EXPECT_EQ(HotKeyText(), L"CTRL+F1");
}

TEST_F(HotKeySettingTest, WrongTypeOrMalformedStringGivesEmptyTextNotTheDefault) {
  ASSERT_TRUE(value_.SetDword(1345));
  EXPECT_EQ(HotKeyText(), L"");

  // An odd byte count.
  ASSERT_TRUE(value_.SetRaw(REG_SZ, L"1136", 5 * sizeof(wchar_t) - 1));
  EXPECT_EQ(HotKeyText(), L"");
}

}  // namespace

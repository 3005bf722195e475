#include "settings/rura_register_key.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/settings_key.h"
#include "tests/support/scoped_registry_value.h"

namespace {

using testing_support::ScopedRegistryValue;

constexpr wchar_t kTestValue[] = L"pictor_test_value";

TEST(RURARegisterKeyTest, WrittenStringReadsBack) {
  ScopedRegistryValue restore(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTestValue);
  RURARegisterKey key;
  ASSERT_TRUE(key.Open(RURARegisterKey::Access::kWrite));
  ASSERT_TRUE(key.SetString(kTestValue, L"1"));

  RURARegisterKey reader;
  ASSERT_TRUE(reader.Open(RURARegisterKey::Access::kRead));
  wchar_t out[RURARegisterKey::kMaxStringLength + 1];
  ASSERT_TRUE(reader.GetString(out, kTestValue));
  EXPECT_STREQ(out, L"1");
}

// Each use gets the access it needs and no more: a key opened for reading cannot write, one
// opened for writing cannot read.
TEST(RURARegisterKeyTest, EachAccessAllowsOnlyItsUse) {
  ScopedRegistryValue value(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTestValue);
  ASSERT_TRUE(value.SetString(L"1"));
  const struct {
    RURARegisterKey::Access access;
    bool reads;
    bool writes;
  } cases[] = {
      {RURARegisterKey::Access::kRead, true, false},
      {RURARegisterKey::Access::kWrite, false, true},
  };
  for (const auto& c : cases) {
    RURARegisterKey key;
    ASSERT_TRUE(key.Open(c.access));
    wchar_t out[RURARegisterKey::kMaxStringLength + 1];
    EXPECT_EQ(key.GetString(out, kTestValue), c.reads) << static_cast<int>(c.access);
    EXPECT_EQ(key.SetString(kTestValue, L"1"), c.writes) << static_cast<int>(c.access);
  }
}

TEST(RURARegisterKeyTest, LongValueIsCutTo255Characters) {
  ScopedRegistryValue value(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTestValue);
  std::wstring long_text;
  for (int i = 0; i < 300; ++i)
    long_text += static_cast<wchar_t>(L'a' + i % 26);
  ASSERT_TRUE(value.SetString(long_text));

  RURARegisterKey key;
  ASSERT_TRUE(key.Open(RURARegisterKey::Access::kRead));
  // One more character than the reader may fill, to see that it stops at 255 + zero.
  wchar_t out[RURARegisterKey::kMaxStringLength + 2];
  out[RURARegisterKey::kMaxStringLength + 1] = L'#';
  ASSERT_TRUE(key.GetString(out, kTestValue));
  EXPECT_EQ(std::wstring(out), long_text.substr(0, 255));
  EXPECT_EQ(out[RURARegisterKey::kMaxStringLength + 1], L'#');
}

TEST(RURARegisterKeyTest, MissingOrNonStringValuesAreNotRead) {
  ScopedRegistryValue value(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTestValue);
  RURARegisterKey key;
  wchar_t out[RURARegisterKey::kMaxStringLength + 1] = L"x";

  ASSERT_TRUE(value.Delete());
  ASSERT_TRUE(key.Open(RURARegisterKey::Access::kRead));
  EXPECT_FALSE(key.GetString(out, kTestValue));
  EXPECT_STREQ(out, L"");

  ASSERT_TRUE(value.SetDword(1));
  EXPECT_FALSE(key.GetString(out, kTestValue));
  ASSERT_TRUE(value.SetString(L"1", REG_EXPAND_SZ));
  EXPECT_FALSE(key.GetString(out, kTestValue));
}

TEST(RURARegisterKeyTest, ClosedKeyRefusesAccess) {
  ScopedRegistryValue value(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kTestValue);
  ASSERT_TRUE(value.SetString(L"1"));
  RURARegisterKey key;
  wchar_t out[RURARegisterKey::kMaxStringLength + 1];
  EXPECT_FALSE(key.SetString(kTestValue, L"1"));
  EXPECT_FALSE(key.GetString(out, kTestValue));
  ASSERT_TRUE(key.Open(RURARegisterKey::Access::kRead));
  EXPECT_FALSE(key.SetString(nullptr, L"1"));
  EXPECT_FALSE(key.SetString(kTestValue, nullptr));
  key.Close();
  EXPECT_FALSE(key.GetString(out, kTestValue));
}

}  // namespace

// Values of every shape, well-formed or not, under the names the program reads: the readers
// never crash, never write past what they were given, and answer as their rules say. The
// random cases are seeded; a failure names its seed and case.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

#include "base/registry.h"
#include "settings/first_use_popup.h"
#include "settings/hot_key.h"
#include "settings/popup_client.h"
#include "settings/rura_register_key.h"
#include "settings/settings_key.h"
#include "tests/support/scoped_registry_value.h"

namespace {

using testing_support::ScopedRegistryValue;

constexpr wchar_t kFuzzKey[] = L"Software\\PictorTest\\fuzz";
constexpr wchar_t kFuzzName[] = L"value";
constexpr wchar_t kFlagValueName[] = L"operation_Pictor_IsShowFloatWinTip";
constexpr wchar_t kCommonKeyPath[] = L"software\\velmora\\vlcommon";
constexpr wchar_t kProgramPathValue[] = L"ProgramPath";
constexpr size_t kHotKeyMaxChars = 258;
constexpr unsigned kSeed = 20261208;
constexpr int kRandomCases = 3000;

struct RawValue {
  DWORD type;
  std::vector<BYTE> bytes;
  std::string label;
};

std::vector<BYTE> BytesOf(const std::wstring& text, bool terminated) {
  const size_t size = (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t);
  const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
  return std::vector<BYTE>(first, first + size);
}

std::wstring Letters(size_t count) {
  std::wstring text;
  for (size_t i = 0; i < count; ++i)
    text += static_cast<wchar_t>(L'a' + i % 26);
  return text;
}

// Every type the program may meet, with every content the rules tell apart.
std::vector<RawValue> ShapedValues() {
  const struct {
    std::wstring text;
    bool terminated;
    const char* label;
  } contents[] = {
      {L"", false, "empty"},
      {L"", true, "only a zero"},
      {L"1345", true, "code"},
      {L"1345", false, "code without its zero"},
      {L"321\0junk", true, "code, zero, more"},
      {Letters(255), true, "255 characters"},
      {Letters(256), true, "256 characters"},
      {std::wstring(258, L'9'), true, "258 digits"},
      {Letters(300), true, "300 characters"},
      {Letters(70000), true, "70,000 characters"},
      {Letters(70000), false, "70,000 characters without a zero"},
  };
  std::vector<RawValue> values;
  for (DWORD type : {REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY, REG_MULTI_SZ}) {
    for (const auto& content : contents) {
      values.push_back({type, BytesOf(content.text, content.terminated),
                        "type " + std::to_string(type) + ", " + content.label});
      std::vector<BYTE> odd = BytesOf(content.text, content.terminated);
      odd.push_back('7');
      values.push_back(
          {type, odd, "type " + std::to_string(type) + ", " + content.label + ", one byte more"});
    }
  }
  return values;
}

// Random types (known and not), lengths and bytes; a third of them digits and letters with
// random zeros, so that the text rules are reached too.
std::vector<RawValue> RandomValues() {
  std::mt19937 random(kSeed);
  const DWORD types[] = {REG_NONE,     REG_SZ,    REG_EXPAND_SZ, REG_BINARY, REG_DWORD,
                         REG_MULTI_SZ, REG_QWORD, 0x1234,        REG_SZ,     REG_SZ};
  std::vector<RawValue> values;
  for (int i = 0; i < kRandomCases; ++i) {
    RawValue value;
    value.type = types[random() % std::size(types)];
    const size_t size = random() % 10 == 0 ? random() % 140000 : random() % 600;
    const bool textual = random() % 3 == 0;
    for (size_t j = 0; j < size; ++j) {
      if (textual && j % 2 == 1)
        value.bytes.push_back(0);
      else if (textual)
        value.bytes.push_back(random() % 40 == 0 ? 0 : "0123456789abc"[random() % 13]);
      else
        value.bytes.push_back(static_cast<BYTE>(random()));
    }
    value.label = "seed " + std::to_string(kSeed) + ", random case " + std::to_string(i);
    values.push_back(std::move(value));
  }
  return values;
}

// What a string read of `value` must give under the rules: its characters up to the first
// zero (or all of them) when the type is taken and the bytes are whole characters, and
// nothing otherwise.
struct Expected {
  bool readable;
  std::wstring text;
};

Expected ReadAsString(const RawValue& value, bool expandable_too) {
  const bool type_taken = value.type == REG_SZ || (expandable_too && value.type == REG_EXPAND_SZ);
  if (!type_taken || value.bytes.size() % 2 != 0)
    return {false, L""};
  std::wstring text(value.bytes.size() / 2, L'\0');
  if (!text.empty())
    memcpy(text.data(), value.bytes.data(), value.bytes.size());
  return {true, text.substr(0, wcsnlen(text.c_str(), text.size()))};
}

class RegistryFuzzTest : public testing::Test {
 protected:
  bool Write(ScopedRegistryValue& target, const RawValue& value) {
    return target.SetRaw(value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
  }
};

TEST_F(RegistryFuzzTest, SharedReaderTakesWholeStringsAndRefusesTheRest) {
  ScopedRegistryValue target(HKEY_CURRENT_USER, kFuzzKey, kFuzzName);
  std::vector<RawValue> values = ShapedValues();
  for (RawValue& value : RandomValues())
    values.push_back(std::move(value));
  for (const RawValue& value : values) {
    ASSERT_TRUE(Write(target, value)) << value.label;
    const base::ScopedHkey key = base::OpenRegistryKey(HKEY_CURRENT_USER, kFuzzKey);
    ASSERT_TRUE(key);
    for (size_t limit : {size_t{255}, kHotKeyMaxChars, std::wstring().max_size()}) {
      const Expected expected = ReadAsString(value, true);
      std::wstring read = L"left over";
      const LSTATUS status = base::ReadRegistryString(
          key.get(), kFuzzName, base::RegistryStringTypes::kPlainOrExpandable, limit, &read);
      const bool fits = expected.readable && expected.text.size() <= limit;
      ASSERT_EQ(status == ERROR_SUCCESS, fits) << value.label << ", limit " << limit;
      ASSERT_EQ(read, fits ? expected.text : L"") << value.label << ", limit " << limit;
    }
  }
}

// The hot key: a missing value is the default; a value read as a decimal code otherwise,
// and one that cannot be read is no hot key (code 0, no text). The settings key's string
// reader copies at most 255 characters into the buffer it is given and always ends it. A
// first-use flag that cannot be read counts as 0; a program folder that cannot be read
// holds no pop-up library.
TEST_F(RegistryFuzzTest, SettingsReadersKeepToTheirRulesAndBuffers) {
  ScopedRegistryValue hot_key(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kHotKeyValueName);
  ScopedRegistryValue flag(HKEY_LOCAL_MACHINE, kSettingsKeyPath, kFlagValueName);
  ScopedRegistryValue program_path(HKEY_LOCAL_MACHINE, kCommonKeyPath, kProgramPathValue);
  ASSERT_TRUE(hot_key.Delete());
  EXPECT_EQ(HotKeyText(), L"CTRL+ALT+A") << "missing";

  std::vector<RawValue> values = ShapedValues();
  for (RawValue& value : RandomValues())
    values.push_back(std::move(value));
  for (const RawValue& value : values) {
    ASSERT_TRUE(Write(hot_key, value) && Write(flag, value) && Write(program_path, value))
        << value.label;

    const Expected code = ReadAsString(value, true);
    const bool code_read = code.readable && code.text.size() <= kHotKeyMaxChars;
    ASSERT_EQ(HotKeyText(), HotKeyCodeText(code_read ? _wtol(code.text.c_str()) : 0))
        << value.label;

    constexpr int kLimit = RURARegisterKey::kMaxStringLength;
    wchar_t out[kLimit + 2];
    out[kLimit + 1] = L'#';
    RURARegisterKey key;
    ASSERT_TRUE(key.Open(RURARegisterKey::Access::kRead));
    const Expected flag_text = ReadAsString(value, false);
    ASSERT_EQ(key.GetString(out, kFlagValueName), flag_text.readable) << value.label;
    ASSERT_EQ(out[kLimit + 1], L'#') << value.label << ": written past the buffer";
    if (flag_text.readable) {
      ASSERT_EQ(std::wstring(out), flag_text.text.substr(0, kLimit)) << value.label;
    }

    // No value here names a folder that holds the pop-up library (this program's folder
    // holds none either): whatever it holds, no library is found.
    ASSERT_EQ(PopupClient::LibraryPath(), L"") << value.label;
    // A flag that cannot be read counts as 0: the pop-up is asked for and the flag set.
    const bool flag_set = flag_text.readable && _wtoi(flag_text.text.substr(0, kLimit).c_str());
    ASSERT_EQ(ShowFirstUsePopup(), !flag_set) << value.label;
  }
}

}  // namespace

// The first-use pop-up against the stand-in pop-up client, found through the suite's
// "ProgramPath" (this test's own folder holds no "ambrel.dll").
#include <gtest/gtest.h>

#include <fstream>

#include <string>
#include <vector>

#include "base/registry.h"
#include "settings/first_use_popup.h"
#include "settings/popup_client.h"
#include "tests/support/scoped_record_file.h"
#include "tests/support/scoped_registry_value.h"
#include "tests/support/test_paths.h"

namespace {

using testing_support::FakesFolder;
using testing_support::ScopedRecordFile;
using testing_support::ScopedRegistryValue;
using Lines = std::vector<std::wstring>;

constexpr wchar_t kSettingsKey[] = L"software\\velmora";
constexpr wchar_t kFlag[] = L"operation_Pictor_IsShowFloatWinTip";
constexpr wchar_t kCommonKey[] = L"SOFTWARE\\velmora\\vlcommon";

class FirstUsePopupTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program_path_.SetString(FakesFolder())); }
  void TearDown() override { SetEnvironmentVariableW(L"PICTOR_AMBREL_MODE", nullptr); }

  // The flag as the program left it.
  static std::wstring Flag() {
    std::wstring text;
    const base::ScopedHkey key = base::OpenRegistryKey(HKEY_LOCAL_MACHINE, kSettingsKey);
    if (key)
      (void)base::ReadRegistryString(key.get(), kFlag, base::RegistryStringTypes::kPlain, 64,
                                     &text);
    return text;
  }
  // The calls on the client object, without the library's load line.
  static Lines Calls(const ScopedRecordFile& record) {
    Lines calls;
    for (const std::wstring& line : record.Lines()) {
      if (line.rfind(L"loaded|", 0) != 0)
        calls.push_back(line);
    }
    return calls;
  }

  ScopedRegistryValue flag_{HKEY_LOCAL_MACHINE, kSettingsKey, kFlag};
  ScopedRegistryValue program_path_{HKEY_LOCAL_MACHINE, kCommonKey, L"ProgramPath"};
};

const Lines kFullRequest = {L"create|{C07C174B-E8C7-408F-A8AA-EE3BE0633D86}",
                            L"slot 0|ctrl_alt_a",
                            L"slot 2|timeout|3",
                            L"slot 5|activetrigger|1",
                            L"slot 7",
                            L"slot 15"};

// The flag decides: unset or "0" asks once, anything else never.
TEST_F(FirstUsePopupTest, FlagDecidesWhetherTheClientIsAskedAndBecomesOne) {
  const struct {
    const wchar_t* flag;  // null: no flag
    bool shown;
  } cases[] = {{nullptr, true}, {L"0", true}, {L"1", false}, {L"7", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flag ? c.flag : L"(none)");
    ScopedRecordFile record(L"PICTOR_AMBREL_RECORD");
    ASSERT_TRUE(c.flag ? flag_.SetString(c.flag) : flag_.Delete());
    EXPECT_EQ(ShowFirstUsePopup(), c.shown);
    EXPECT_EQ(Calls(record), c.shown ? kFullRequest : Lines());
    EXPECT_EQ(Flag(), c.shown ? std::wstring(L"1") : std::wstring(c.flag));
  }
}

// Whatever goes wrong with the library, the flag is written and the caller ends without
// its own balloon.
TEST_F(FirstUsePopupTest, BrokenOrMissingLibraryStillSetsTheFlag) {
  testing_support::ScopedTempFolder not_a_library;
  {
    std::ofstream junk((not_a_library.path() + L"ambrel.dll").c_str(), std::ios::binary);
    junk << "MZ but not a library at all";
  }
  const struct {
    const wchar_t* mode;
    std::wstring folder;
    Lines calls;
  } cases[] = {
      {L"", not_a_library.path(), {}},
      {L"fail", FakesFolder(), {L"create|{C07C174B-E8C7-408F-A8AA-EE3BE0633D86}"}},
      {L"null", FakesFolder(), {L"create|{C07C174B-E8C7-408F-A8AA-EE3BE0633D86}"}},
      {L"", FakesFolder() + L"no_export\\", {}},
      {L"", L"C:\\nowhere\\", {}},
      {L"", L"", {}},         // empty: no library, not one of the current folder
      {L"", L"fakes\\", {}},  // relative: likewise
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder + L" " + c.mode);
    ScopedRecordFile record(L"PICTOR_AMBREL_RECORD");
    SetEnvironmentVariableW(L"PICTOR_AMBREL_MODE", c.mode);
    ASSERT_TRUE(program_path_.SetString(c.folder));
    ASSERT_TRUE(flag_.Delete());
    EXPECT_TRUE(ShowFirstUsePopup());
    EXPECT_EQ(Calls(record), c.calls);
    EXPECT_EQ(Flag(), L"1");
  }
}

TEST_F(FirstUsePopupTest, LibraryIsLookedForBesideTheProgramThenInProgramPath) {
  EXPECT_EQ(PopupClient::LibraryPath(), FakesFolder() + L"ambrel.dll");
  ASSERT_TRUE(program_path_.SetString(std::wstring(300, L'x')));
  EXPECT_EQ(PopupClient::LibraryPath(), L"") << "a value longer than a path";
}

}  // namespace

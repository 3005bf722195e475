// The host suite's first-use pop-up in hot-key sessions of pictor.exe, with the recording
// stand-in of its pop-up client beside the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/scoped_record_file.h"
#include "tests/support/scoped_registry_value.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using testing_support::FakesFolder;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::ScopedRecordFile;
using testing_support::ScopedRegistryValue;
using testing_support::ScopedTempFolder;
using testing_support::WaitUntil;
using testing_support::Xdo;
using Lines = std::vector<std::wstring>;

constexpr wchar_t kSettingsKey[] = L"software\\velmora";

// A hot-key session ("keyboard" with the default hot key) of a copy of pictor.exe that has
// the stand-in pop-up client beside it, and no first-use flag yet.
class FirstUseTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hot_key_.Delete());
    ASSERT_TRUE(flag_.Delete());
    ASSERT_TRUE(program_path_.Delete());
    ASSERT_TRUE(CopyFileW(testing_support::PictorPath().c_str(), program_.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((FakesFolder() + L"ambrel.dll").c_str(),
                          (folder_.path() + L"ambrel.dll").c_str(), FALSE));
    ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
    ASSERT_TRUE(pattern_.WaitUntilShown());
  }

  // Starts a session and selects the pattern window.
  void StartAndSelect(PictorSession& session) {
    ASSERT_TRUE(session.WaitForCaptureWindow());
    ASSERT_TRUE(Xdo::MoveMouse(500, 350));
    ASSERT_TRUE(Xdo::Click(500, 350));
  }

  // The stand-in's calls, without the line of its loading.
  Lines Calls() const {
    Lines calls;
    for (const std::wstring& line : record_.Lines()) {
      if (line.rfind(L"loaded|", 0) != 0)
        calls.push_back(line);
    }
    return calls;
  }

  ScopedRegistryValue hot_key_{HKEY_LOCAL_MACHINE, kSettingsKey, L"operation_accelerator_code"};
  ScopedRegistryValue flag_{HKEY_LOCAL_MACHINE, kSettingsKey,
                            L"operation_Pictor_IsShowFloatWinTip"};
  ScopedRegistryValue program_path_{HKEY_LOCAL_MACHINE, L"SOFTWARE\\velmora\\vlcommon",
                                    L"ProgramPath"};
  ScopedRecordFile record_{L"PICTOR_AMBREL_RECORD"};
  ScopedTempFolder folder_;
  std::wstring program_ = folder_.path() + L"pictor.exe";
  PatternWindow pattern_{300, 200, 400, 300};
};

const Lines kRequest = {L"create|{C07C174B-E8C7-408F-A8AA-EE3BE0633D86}",
                        L"slot 0|ctrl_alt_a",
                        L"slot 2|timeout|3",
                        L"slot 5|activetrigger|1",
                        L"slot 7",
                        L"slot 15"};

TEST_F(FirstUseTest, FirstCopyAsksForThePopUpOnceAndTheNextDoesNot) {
  for (int run = 0; run < 2; ++run) {
    PictorSession session({L"keyboard"}, program_);
    ASSERT_NO_FATAL_FAILURE(StartAndSelect(session));
    ASSERT_TRUE(Xdo::DoubleClick(500, 350));
    ASSERT_TRUE(session.WaitForExit());
    EXPECT_EQ(session.exit_code(), 0);
    EXPECT_EQ(Calls(), kRequest) << "asked in the first session only, after " << run + 1;
  }
  EXPECT_TRUE(
      record_.Contains(L"loaded|" + program_.substr(0, program_.size() - 10) + L"ambrel.dll"))
      << "the library beside the program: " << testing::PrintToString(record_.Lines());
}

TEST_F(FirstUseTest, FirstSaveTakesThePopUpInsteadOfTheBalloon) {
  const std::wstring path = folder_.path() + L"first.png";
  PictorSession session({L"keyboard"}, program_);
  ASSERT_NO_FATAL_FAILURE(StartAndSelect(session));
  {
    testing_support::SaveDialogDriver driver(testing_support::SaveDialogDriver::Answer::kTypePath,
                                             std::string(path.begin(), path.end()));
    ASSERT_TRUE(session.PressKeys("ctrl+s"));
  }
  bool balloon = false;
  ASSERT_TRUE(session.WaitForExitSeeing(&testing_support::IsBalloon, &balloon));
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_FALSE(balloon);
  EXPECT_EQ(Calls(), kRequest);
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "the file is written";
}

}  // namespace

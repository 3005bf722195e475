// The program's start and end as the host suite sees them: exit codes, the single-instance
// guard, the dump monitor and the floating-window notification.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/child_process.h"
#include "tests/support/pictor_session.h"
#include "tests/support/scoped_record_file.h"
#include "tests/support/scoped_registry_value.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"

namespace {

using testing_support::BinaryFolder;
using testing_support::ChildProcess;
using testing_support::FakesFolder;
using testing_support::PictorSession;
using testing_support::ScopedRecordFile;
using testing_support::ScopedRegistryValue;
using testing_support::ScopedTempFolder;
using testing_support::WaitUntil;

constexpr wchar_t kCommonKey[] = L"software\\velmora\\vlcommon";
constexpr wchar_t kProductIdKey[] =
    L"CLSID\\{9B7A98EC-7EF9-468c-ACC8-37C793DBD7E0}\\Implemented Categories\\"
    L"{A5F7140E-4311-4ef9-AABC-F55941B5EBE5}";
constexpr wchar_t kDefaultProductId[] = L"5858583AC7162ebfD4091C273EAB6604";

// Starts a session, waits for its capture window and ends it with Esc.
void RunAndEscape(PictorSession& session) {
  ASSERT_TRUE(session.WaitForCaptureWindow()) << "no capture window appeared";
  ASSERT_TRUE(session.PressKeys("Escape"));
  ASSERT_TRUE(session.WaitForExit()) << "Esc did not end the session";
  EXPECT_EQ(session.exit_code(), 0);
}

TEST(StartupTest, SecondStartReturnsMinusOneAndLeavesTheFirstRunning) {
  PictorSession first;
  ASSERT_TRUE(first.WaitForCaptureWindow());

  PictorSession second({L"floatwin"});
  ASSERT_TRUE(second.WaitForExit(10000)) << "the second start did not end";
  EXPECT_EQ(second.exit_code(), -1);
  EXPECT_EQ(second.process().FindVisibleWindow(), nullptr);

  EXPECT_TRUE(first.process().IsRunning());
  EXPECT_TRUE(IsWindowVisible(first.capture_window()));
  ASSERT_TRUE(first.PressKeys("Escape"));
  ASSERT_TRUE(first.WaitForExit());
  EXPECT_EQ(first.exit_code(), 0);
}

TEST(StartupTest, FeedbackThenEscapeReturnsZero) {
  PictorSession session({L"feedback"});
  ASSERT_NO_FATAL_FAILURE(RunAndEscape(session));
}

TEST(StartupTest, DumpMonitorGetsTheProductIdentifier) {
  ScopedRecordFile record(L"PICTOR_DUMPLER_RECORD");
  ScopedRegistryValue install_path(HKEY_LOCAL_MACHINE, kCommonKey, L"installpath");
  ScopedRegistryValue product_id(HKEY_CLASSES_ROOT, kProductIdKey, L"idex");
  // Without the trailing backslash, which the program adds.
  std::wstring folder = FakesFolder();
  folder.pop_back();
  ASSERT_TRUE(install_path.SetString(folder));
  ASSERT_TRUE(product_id.Delete());

  PictorSession session;
  ASSERT_NO_FATAL_FAILURE(RunAndEscape(session));
  EXPECT_TRUE(record.Contains(std::wstring(L"monitor|1|") + kDefaultProductId + L"|73728|300"))
      << testing::PrintToString(record.Lines());
}

TEST(StartupTest, DumpMonitorGetsTheRegistryIdentifierCutTo99Characters) {
  ScopedRecordFile record(L"PICTOR_DUMPLER_RECORD");
  ScopedRegistryValue install_path(HKEY_LOCAL_MACHINE, kCommonKey, L"installpath");
  ScopedRegistryValue product_id(HKEY_CLASSES_ROOT, kProductIdKey, L"idex");
  ASSERT_TRUE(install_path.SetString(FakesFolder()));
  std::wstring long_id;
  for (int i = 0; i < 150; ++i)
    long_id += static_cast<wchar_t>(L'A' + i % 26);
  ASSERT_TRUE(product_id.SetString(long_id));

  PictorSession session;
  ASSERT_NO_FATAL_FAILURE(RunAndEscape(session));
  EXPECT_TRUE(record.Contains(L"monitor|1|" + long_id.substr(0, 99) + L"|73728|300"))
      << testing::PrintToString(record.Lines());
}

TEST(StartupTest, DumpLibraryInTheCurrentFolderIsNotLoaded) {
  ScopedRecordFile record(L"PICTOR_DUMPLER_RECORD");
  ScopedRegistryValue install_path(HKEY_LOCAL_MACHINE, kCommonKey, L"installpath");
  ASSERT_TRUE(install_path.Delete());
  ScopedTempFolder current;
  ASSERT_TRUE(CopyFileW((FakesFolder() + L"dumpler.dll").c_str(),
                        (current.path() + L"dumpler.dll").c_str(), FALSE));

  PictorSession session({}, testing_support::PictorPath(), current.path());
  ASSERT_NO_FATAL_FAILURE(RunAndEscape(session));
  EXPECT_TRUE(record.Lines().empty()) << testing::PrintToString(record.Lines());
}

TEST(StartupTest, DumpLibraryBesideTheProgramIsLoadedWithoutInstallPath) {
  ScopedRecordFile record(L"PICTOR_DUMPLER_RECORD");
  ScopedRegistryValue install_path(HKEY_LOCAL_MACHINE, kCommonKey, L"installpath");
  ASSERT_TRUE(install_path.Delete());
  ScopedTempFolder program_folder;
  const std::wstring program = program_folder.path() + L"pictor.exe";
  ASSERT_TRUE(CopyFileW(testing_support::PictorPath().c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((FakesFolder() + L"dumpler.dll").c_str(),
                        (program_folder.path() + L"dumpler.dll").c_str(), FALSE));

  PictorSession session({}, program);
  ASSERT_NO_FATAL_FAILURE(RunAndEscape(session));
  EXPECT_TRUE(record.Contains(std::wstring(L"monitor|1|") + kDefaultProductId + L"|73728|300"))
      << testing::PrintToString(record.Lines());
}

TEST(StartupTest, FloatingWindowReceivesTheStartMessage) {
  ScopedRecordFile record(L"PICTOR_FLOAT_WINDOW_RECORD");
  ChildProcess float_window(BinaryFolder() + L"float_window.exe", {});
  ASSERT_TRUE(WaitUntil([&] { return record.Contains(L"ready"); }))
      << "the floating window stand-in did not start";

  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  EXPECT_TRUE(WaitUntil([&] { return record.Contains(L"start|0|0"); }))
      << testing::PrintToString(record.Lines());
  ASSERT_TRUE(session.PressKeys("Escape"));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(record.Lines().size(), 2u) << "exactly one start message";
}

}  // namespace

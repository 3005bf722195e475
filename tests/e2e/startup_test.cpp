// The program's start and end as the host suite sees them: exit codes, the single-instance
// guard, the dump monitor and the floating-window notification.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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
// The capture window's dialog template in the program's resources.
constexpr WORD kCaptureDialogId = 101;

// Starts a session, waits for its capture window and ends it with Esc.
void RunAndEscape(PictorSession& session) {
  ASSERT_TRUE(session.WaitForCaptureWindow())
      << "no capture window appeared; the process "
      << (session.process().IsRunning() ? std::string("runs")
                                        : "ended with " + std::to_string(session.exit_code()));
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

// Ten starts at once, as a host suite hammered by its user makes them: one session runs,
// the other nine return -1 without showing anything.
TEST(StartupTest, TenStartsAtOnceMakeOneSession) {
  std::vector<std::unique_ptr<PictorSession>> starts;
  for (int i = 0; i < 10; ++i)
    starts.push_back(std::make_unique<PictorSession>(std::vector<std::wstring>{L"floatwin"}));
  const auto still_running = [&] {
    return std::count_if(starts.begin(), starts.end(),
                         [](const auto& start) { return start->process().IsRunning(); });
  };
  ASSERT_TRUE(WaitUntil([&] { return still_running() <= 1; })) << still_running() << " run";
  PictorSession* running = nullptr;
  for (auto& start : starts) {
    if (start->process().IsRunning()) {
      running = start.get();
    } else {
      ASSERT_TRUE(start->WaitForExit(1000));
      EXPECT_EQ(start->exit_code(), -1);
    }
  }
  ASSERT_NE(running, nullptr) << "no session runs";
  ASSERT_NO_FATAL_FAILURE(RunAndEscape(*running));
}

// Whatever lies where the suite's libraries are looked for, and whatever the command line
// holds, the session runs and ends as usual.
TEST(StartupTest, BrokenLibrariesAndOddCommandLinesStillRunASession) {
  ScopedRegistryValue install_path(HKEY_LOCAL_MACHINE, kCommonKey, L"installpath");
  ScopedTempFolder not_a_library;
  {
    std::ofstream junk((not_a_library.path() + L"dumpler.dll").c_str(), std::ios::binary);
    junk << "MZ but not a library at all";
  }
  ScopedTempFolder without_export;
  ASSERT_TRUE(CopyFileW((FakesFolder() + L"no_export\\ambrel.dll").c_str(),
                        (without_export.path() + L"dumpler.dll").c_str(), FALSE));
  const std::wstring long_argument(30000, L'\u622a');
  const struct {
    std::wstring folder;
    std::vector<std::wstring> arguments;
  } cases[] = {
      {not_a_library.path(), {L"FLOATWIN"}},
      {not_a_library.path(), {L"feedback2", L"keyboard", L"floatwin"}},
      {without_export.path(), {L"\u622a\u56fe \"quoted\" \\"}},
      {without_export.path(), {long_argument}},
      {without_export.path(), std::vector<std::wstring>(500, L"keyboard")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments.front().substr(0, 20)));
    ASSERT_TRUE(install_path.SetString(c.folder));
    PictorSession session(c.arguments);
    ASSERT_NO_FATAL_FAILURE(RunAndEscape(session));
  }
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

// Malformed values for the dump library's folder and the product identifier: the session
// runs, an identifier that cannot be read is the default, and a folder that cannot be read
// loads nothing.
TEST(StartupTest, MalformedDumpSettingsFallBack) {
  ScopedRegistryValue install_path(HKEY_LOCAL_MACHINE, kCommonKey, L"installpath");
  ScopedRegistryValue product_id(HKEY_CLASSES_ROOT, kProductIdKey, L"idex");
  const std::wstring folder = FakesFolder();
  const std::wstring huge(70000, L'7');
  const struct {
    DWORD folder_type;
    std::wstring folder_text;
    DWORD id_type;
    std::vector<BYTE> id_bytes;
    std::wstring recorded;  // empty: the library is not loaded
  } cases[] = {
      {REG_SZ, folder, REG_DWORD, {BYTE{0xD2}, BYTE{0x04}, BYTE{0}, BYTE{0}}, kDefaultProductId},
      {REG_SZ, folder, REG_SZ, {BYTE{'A'}, BYTE{0}, BYTE{'B'}}, kDefaultProductId},
      {REG_SZ, folder, REG_SZ,
       std::vector<BYTE>(reinterpret_cast<const BYTE*>(huge.c_str()),
                         reinterpret_cast<const BYTE*>(huge.c_str() + huge.size())),
       huge.substr(0, 99)},
      {REG_BINARY, folder, REG_DWORD, {}, L""},
      {REG_SZ, huge, REG_DWORD, {}, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.recorded.substr(0, 20)));
    ScopedRecordFile record(L"PICTOR_DUMPLER_RECORD");
    ASSERT_TRUE(install_path.SetRaw(c.folder_type, c.folder_text.c_str(),
                                    static_cast<DWORD>((c.folder_text.size() + 1) * 2)));
    ASSERT_TRUE(
        product_id.SetRaw(c.id_type, c.id_bytes.data(), static_cast<DWORD>(c.id_bytes.size())));
    PictorSession session;
    ASSERT_NO_FATAL_FAILURE(RunAndEscape(session));
    if (c.recorded.empty()) {
      EXPECT_TRUE(record.Lines().empty()) << testing::PrintToString(record.Lines());
    } else {
      EXPECT_TRUE(record.Contains(L"monitor|1|" + c.recorded + L"|73728|300"))
          << testing::PrintToString(record.Lines());
    }
  }
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

// A dialog template of no controls whose window class does not exist: the system cannot
// make a window from it.
std::vector<WORD> TemplateOfAMissingClass() {
  std::vector<WORD> words = {1, 0xFFFF};             // extended template
  words.insert(words.end(), {0, 0, 0, 0});           // help id, extended style
  words.insert(words.end(), {0, HIWORD(WS_POPUP)});  // style, low word first
  words.insert(words.end(), {0, 0, 0, 10, 10});      // no controls; place and size
  words.push_back(0);                                // no menu
  for (const wchar_t* c = L"PictorNoSuchClass"; *c; ++c)
    words.push_back(*c);
  words.insert(words.end(), {0, 0});  // end of the class name; no title
  return words;
}

// A program whose capture window cannot be made (a copy given a template the system cannot
// make a window from) ends at once with 0 instead of waiting unseen, and the next start
// runs.
TEST(StartupTest, WithoutACaptureWindowTheProcessEndsAndTheNextStartRuns) {
  ScopedTempFolder program_folder;
  const std::wstring program = program_folder.path() + L"pictor.exe";
  ASSERT_TRUE(CopyFileW(testing_support::PictorPath().c_str(), program.c_str(), FALSE));
  std::vector<WORD> dialog = TemplateOfAMissingClass();
  HANDLE update = BeginUpdateResourceW(program.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(UpdateResourceW(update, RT_DIALOG, MAKEINTRESOURCEW(kCaptureDialogId),
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), dialog.data(),
                              static_cast<DWORD>(dialog.size() * sizeof(WORD))));
  ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

  PictorSession broken({}, program);
  ASSERT_TRUE(broken.WaitForExit(10000)) << "the process waits without a window";
  EXPECT_EQ(broken.exit_code(), 0);

  PictorSession next;
  ASSERT_NO_FATAL_FAILURE(RunAndEscape(next));
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

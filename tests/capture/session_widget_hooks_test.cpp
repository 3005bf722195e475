// The capture session's rules for every pop-up window: the end of the session when a
// pop-up goes after a copy or a save, and the saved-file link.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/session_outcome.h"
#include "capture/session_widget_hooks.h"
#include "dui/widget.h"
#include "tests/dui/recording_view.h"
#include "tests/dui/test_widget.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"

namespace {

using dui::Widget;
using dui_testing::RecordingView;
using dui_testing::TestWidget;
using testing_support::WaitUntil;

class SessionWidgetHooksTest : public testing::Test {
 protected:
  void SetUp() override { Widget::SetHooks(&hooks_); }
  void TearDown() override { Widget::SetHooks(nullptr); }
  SessionOutcome outcome_;
  SessionWidgetHooks hooks_{outcome_};
};

TEST_F(SessionWidgetHooksTest, APopUpThatGoesAfterACopyOrASaveEndsTheSession) {
  // While the balloon is up, only its own going ends a saved session.
  const struct {
    bool copied;
    bool saved;
    bool balloon_shown;
    bool quits;
  } cases[] = {{false, false, false, false},
               {true, false, false, true},
               {false, true, false, true},
               {false, true, true, false}};
  for (const auto& c : cases) {
    outcome_.copied = c.copied;
    outcome_.saved = c.saved;
    outcome_.balloon_shown = c.balloon_shown;
    auto* widget = new Widget();
    widget->Init(nullptr);
    widget->SetQuitOnClose(false);
    HWND hwnd = widget->GetHwnd();
    widget->Close();
    EXPECT_EQ(testing_support::PumpMessages(), c.quits) << c.copied << c.saved << c.balloon_shown;
    EXPECT_FALSE(IsWindow(hwnd));
  }
}

// The ids of the running processes named explorer.exe.
std::set<DWORD> ExplorerProcesses() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return ids;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"explorer.exe") == 0)
      ids.insert(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

// The file manager is the Windows folder's, and the saved path reaches it whole.
TEST(SessionWidgetHooksCommandTest, FileManagerByFullPathWithTheQuotedFile) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  EXPECT_EQ(SessionWidgetHooks::FileManagerPath(), std::wstring(windows) + L"\\explorer.exe");
  EXPECT_EQ(SessionWidgetHooks::SelectParameters(L"C:\\a b, c\\shot 1,2.png"),
            L"/select,\"C:\\a b, c\\shot 1,2.png\"");
}

// The balloon's link area (160, 53)-(235, 73) of a pop-up while the saved-file link is up.
TEST_F(SessionWidgetHooksTest, LinkAreaShowsTheHandAndOpensTheFolderOfTheSavedFile) {
  testing_support::ScopedTempFolder folder;
  outcome_.saved_path = folder.path() + L"shot.png";
  std::ofstream(outcome_.saved_path.c_str()) << "picture";
  std::vector<std::string> log;
  TestWidget widget({300, 300, 298, 138}, new RecordingView("balloon", &log, 0xFF808080));
  ASSERT_TRUE(widget.ShowAndWaitFor(5, 5, RGB(0x80, 0x80, 0x80)));
  outcome_.saved_link = true;
  auto send = [&](UINT message, int x, int y) {
    SendMessageW(widget.hwnd(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                 MAKELPARAM(x, y));
    return testing_support::PumpMessages();
  };

  // The window asks for its cursor before every move: over the link the answer is the hand,
  // every time.
  SetCursorPos(300 + 170, 300 + 60);
  for (int i = 0; i < 2; ++i) {
    SendMessageW(widget.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(widget.hwnd()), HTCLIENT);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    send(WM_MOUSEMOVE, 170, 60);
  }
  SetCursorPos(300 + 100, 300 + 100);
  SendMessageW(widget.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(widget.hwnd()), HTCLIENT);
  EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_HAND)) << "beside the link";
  EXPECT_FALSE(send(WM_LBUTTONDOWN, 100, 100)) << "a click elsewhere on the pop-up is no link";
  EXPECT_FALSE(send(WM_LBUTTONUP, 100, 100));
  EXPECT_TRUE(std::count(log.begin(), log.end(), "balloon pressed"));

  const std::set<DWORD> before = ExplorerProcesses();
  EXPECT_TRUE(send(WM_LBUTTONDOWN, 170, 60)) << "the loop is told to end";
  DWORD opened = 0;
  EXPECT_TRUE(WaitUntil([&] {
    for (DWORD id : ExplorerProcesses()) {
      if (!before.count(id))
        opened = id;
    }
    return opened != 0;
  })) << "the file manager was started";
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, opened)) {
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

}  // namespace

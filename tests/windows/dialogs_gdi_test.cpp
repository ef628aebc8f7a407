// GDI hygiene of the shell's dialogs: the count of live GDI objects of the
// process stays where it was over 1,000 open/close cycles of the message
// dialog and the help viewer (the about page: about_gdi_test). Kept apart from the
// behaviour tests because the loops take most of a minute.
#include <windows.h>

#include <gtest/gtest.h>

#include "lookup/help_window.h"
#include "shell/default_settings.h"
#include "shell/message_window.h"
#include "shell/shell_globals.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

using GdiHygiene = ShellFixture;

TEST_F(GdiHygiene, MessageDialogAndHelpViewerCycles) {
  ASSERT_TRUE(WriteBytes(folder_.File(L"Help.dat"), "a\r\nb\r\n"));
  HelpWindow::HelpFilePath() = win::Narrow(folder_.File(L"Help.dat"));
  // One warm-up cycle: the system keeps some objects (class brushes, fonts)
  // from the first use on.
  const auto cycle = [&] {
    ShowMessage("循环");
    ::UpdateWindow(TheForm<MessageWindow>().hwnd());
    TheForm<MessageWindow>().Unload();
    ShowHelpViewer();
    ::UpdateWindow(TheForm<HelpWindow>().hwnd());
    TheForm<HelpWindow>().Unload();
  };
  cycle();
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  const int before = GdiObjectCount();
  ASSERT_GE(before, 0);
  for (int i = 0; i < 1000; ++i) cycle();
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace quillet::test

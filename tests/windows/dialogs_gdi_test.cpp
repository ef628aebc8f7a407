// GDI hygiene of the message dialog and the help viewer over 1,000
// open/close cycles (see panel_gdi_test for why this is an executable apart).
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/message_window.h"
#include "lookup/help_window.h"
#include "tests/support/shell_fixture.h"

namespace quillet::test {
namespace {

using GdiHygiene = ShellFixture;

TEST_F(GdiHygiene, MessageDialogAndHelpViewerCycles) {
  ASSERT_TRUE(WriteBytes(folder_.File(L"Help.dat"), "a\r\nb\r\n"));
  HelpWindow::HelpFilePath() = win::Narrow(folder_.File(L"Help.dat"));
  EXPECT_EQ(GdiGrowth([] {
              ShowMessage("循环");
              ::UpdateWindow(TheForm<MessageWindow>().hwnd());
              TheForm<MessageWindow>().Unload();
              ShowHelpViewer();
              ::UpdateWindow(TheForm<HelpWindow>().hwnd());
              TheForm<HelpWindow>().Unload();
            }, 1000), 0);
}

}  // namespace
}  // namespace quillet::test

// GDI hygiene over long runs (`make soak`): the live GDI objects stay put
// over repaints and reloads of the panel, the message dialog and a gradient button.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/message_window.h"
#include "shell/main_window.h"
#include "tests/support/shell_fixture.h"
#include "win32/gleam_host.h"

namespace quillet::test {
namespace {

using GdiSoak = ShellFixture;

TEST_F(GdiSoak, PanelRepaintsAndReloads) {
  MainWindow& panel = TheForm<MainWindow>();
  ASSERT_TRUE(panel.Start(3000, 1500));
  EXPECT_EQ(GdiGrowth([&] { ::RedrawWindow(panel.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); },
                      10000), 0);
  EXPECT_EQ(GdiGrowth([&] {
              panel.Unload();
              EXPECT_TRUE(panel.Start(3000, 1500));
              ::UpdateWindow(panel.hwnd());
            }, 1000), 0);
}

// The other windows open and close in the real program (program_soak_test).
TEST_F(GdiSoak, MessageDialogOpenedAndClosed) {
  EXPECT_EQ(GdiGrowth([&] {
              ShowMessage("循环");
              ::UpdateWindow(TheForm<MessageWindow>().hwnd());
              TheForm<MessageWindow>().Unload();
            }, 1000), 0);
}

TEST(GleamSoak, RepaintsResizesAndLifetimes) {
  ProgramManifest manifest;
  HWND host = CreateHostWindow(200, 100);
  const win::WindowDefinition definition{{{"Cmd", "Lantoc.Gleam", 150, 150, 1000, 300, {}}}};
  win::ControlHost buttons;
  ASSERT_TRUE(buttons.Create(host, definition, 96));
  win::GleamButton& button = buttons.At(0);
  button.SetText("保存1");  // a caption font in every repaint
  int i = 0;
  EXPECT_EQ(GdiGrowth([&] {
              button.SetForeColor(0x101010 * (++i % 12));
              ::RedrawWindow(button.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }, 5000), 0);
  // Twice through seven widths: Wine keeps three more objects, once, from
  // the second round of resizes on, which the warm-up cycle must reach.
  EXPECT_EQ(GdiGrowth([&] {
              for (int k = 0; k < 14; ++k) button.Move(150, 150, 1000 + 15 * (k % 7), 300, 96);
            }, 15), 0);
  EXPECT_EQ(GdiGrowth([&] {
              EXPECT_TRUE(buttons.Create(host, definition, 96));
              buttons.At(0).SetPosition(7, 7);
              buttons.Release();
            }, 1000), 0);
  ::DestroyWindow(host);
}

}  // namespace
}  // namespace quillet::test

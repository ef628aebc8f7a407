// The message dialog, the about page and the help viewer, driven in this
// process with their own messages and rendered through WM_PRINTCLIENT.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/units.h"
#include "forms/message_window.h"
#include "forms/shared_state.h"
#include "forms/window_shape_win.h"
#include "lookup/help_window.h"
#include "settings/default_settings.h"
#include "shell/about_window.h"
#include "shell/main_window.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

constexpr char kMissingHelp[] = "无法打开帮助文件！";

int CountOwnWindows(const wchar_t* caption) {
  return static_cast<int>(TopLevelWindows(::GetCurrentProcessId(), caption).size());
}

using ShellDialogs = ShellFixture;

TEST_F(ShellDialogs, MessageDialogKeepsOneInstanceAndReplacesItsText) {
  ShowMessage("第一条消息");
  ShowMessage("第二条消息：文件已保存");
  MessageWindow& dialog = TheForm<MessageWindow>();
  ASSERT_TRUE(dialog.IsShown());
  EXPECT_EQ(CountOwnWindows(L"Quillet"), 1);
  EXPECT_TRUE(IsWindowOpen("Quillet"));
  EXPECT_EQ(dialog.Text(), "第二条消息：文件已保存");
  ::RedrawWindow(dialog.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(dialog.CopyText(), "第二条消息：文件已保存") << "the copy label follows at the paint";

  // 4680 x 2475 twips, topmost, rounded with the inset of 4, centred.
  RECT r{};
  ::GetWindowRect(dialog.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(4680, 96));
  EXPECT_EQ(r.bottom - r.top, TwipsToPixels(2475, 96));
  EXPECT_NEAR(r.left, (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, 1);
  EXPECT_NE(::GetWindowLongPtrW(dialog.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  const RECT box = RegionBox(dialog.hwnd());
  EXPECT_EQ(box.left, 4);
  EXPECT_EQ(box.top, 4);

  // Title strip: the gradient starts in the background colour; the two bars
  // under the title are DarkenColour(c, 150) and DarkenColour(c, -200).
  const Capture cap = RenderClient(dialog.hwnd());
  ASSERT_FALSE(cap.pixels.empty());
  EXPECT_EQ(cap.At(cap.width / 2, 0), kDefaultBackground);
  EXPECT_EQ(cap.At(cap.width - 20, 28), DarkenColour(kDefaultBackground, 150));
  EXPECT_EQ(cap.At(cap.width - 20, 29), DarkenColour(kDefaultBackground, -200));
  // The black text is drawn in the label's box.
  int dark = 0;
  for (int y = 40; y < 105; ++y) {
    for (int x = 21; x < 290; ++x) {
      if (cap.At(x, y) == 0) ++dark;
    }
  }
  EXPECT_GT(dark, 50) << "no text in the label";
  SaveScreenshot(dialog.hwnd(), L"message-dialog-96dpi");

  // Its one button unloads it.
  ASSERT_NE(dialog.ControlWindow("Gleam1"), nullptr) << "the button is a Lantoc.Gleam control";
  dialog.ClickButton("Gleam1");
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_FALSE(IsWindowOpen("Quillet"));
  EXPECT_EQ(CountOwnWindows(L"Quillet"), 0);
}

TEST_F(ShellDialogs, PressingTheSurfaceWithTheLeftButtonAndDraggingMovesTheDialog) {
  ShowMessage("拖动我");
  MessageWindow& dialog = TheForm<MessageWindow>();
  RECT before{};
  ::GetWindowRect(dialog.hwnd(), &before);
  DragWindow(dialog.hwnd(), 2);  // the right and the middle button do nothing
  DragWindow(dialog.hwnd(), 4);
  RECT after{};
  ::GetWindowRect(dialog.hwnd(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  // Left of the button, below the labels: the dialog's own surface.
  DragWithTheMouse(before.left + 30, before.top + 140, 80, 40);
  ::GetWindowRect(dialog.hwnd(), &after);
  EXPECT_EQ(after.left - before.left, 80);
  EXPECT_EQ(after.top - before.top, 40);
  EXPECT_TRUE(dialog.IsLoaded());
}

// The faces the windows ask for, at 96 and 144 dpi: the default face at 13
// pixels (captions, dates), 宋体 9 and 12 point bold, 楷体_GB2312 14.25 point.
// Wine draws an unhinted outline face unsmoothed where its gasp table says
// so, and the ideographs lose strokes (我 reads as 戏): each must be smoothed.
TEST_F(ShellDialogs, ChineseFacesAreDrawnSmoothedAtTheirSizes) {
  struct Face { const wchar_t* name; double points; int weight; };
  for (const Face& f : {Face{L"", 0, 0}, Face{L"宋体", 9, FW_NORMAL}, Face{L"宋体", 12, FW_BOLD},
                        Face{L"楷体_GB2312", 14.25, FW_NORMAL}}) {
    for (const int dpi : {96, 144}) {
      LOGFONTW lf{};  // the default face as the panel asks for it: all else zero
      lf.lfHeight = f.points > 0 ? -::MulDiv(f.points * 100, dpi, 7200) : ::MulDiv(13, dpi, 96);
      lf.lfWeight = f.weight;
      lf.lfCharSet = f.points > 0 ? DEFAULT_CHARSET : 0;
      wcscpy(lf.lfFaceName, f.name);
      const win::Font font(::CreateFontIndirectW(&lf));
      const Capture ink = RenderText(font.get(), L"我记录农历腊闰设置", 400, 40);
      int dark = 0, grey = 0;
      for (const std::uint32_t p : ink.pixels) {
        dark += (p & 0xFF) < 0xFF;
        grey += (p & 0xFF) > 0x20 && (p & 0xFF) < 0xE0;
      }
      EXPECT_GT(grey * 5, dark) << "unsmoothed: '" << win::Narrow(f.name) << "' " << f.points
                                << " pt at " << dpi << " dpi";
    }
  }
}

TEST_F(ShellDialogs, HelpButtonTogglesTheAboutPageWhichLeadsToTheHelpViewer) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder.File(L"Help.dat"), "Line one\r\n\xB0\xEF\xD6\xFA\r\n"));
  HelpWindow::HelpFilePath() = win::Narrow(folder.File(L"Help.dat"));

  MainWindow& panel = TheForm<MainWindow>();
  EXPECT_FALSE(IsWindowOpen(AboutWindow::kCaption));
  panel.Navigate(7);
  ASSERT_TRUE(IsWindowOpen(AboutWindow::kCaption));
  AboutWindow& about = TheForm<AboutWindow>();
  EXPECT_TRUE(about.IsShown());
  RECT r{};
  ::GetWindowRect(about.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(5625, 96));
  EXPECT_EQ(r.bottom - r.top, TwipsToPixels(3045, 96));
  SaveRedrawnScreenshot(about.hwnd(), L"about-page-96dpi");
  panel.Navigate(7);
  EXPECT_FALSE(IsWindowOpen(AboutWindow::kCaption)) << "a second press unloads the page";
  EXPECT_FALSE(about.IsLoaded());

  // Cancel closes the page.
  panel.Navigate(7);
  about.ClickButton("Pic", 1);
  EXPECT_FALSE(IsWindowOpen(AboutWindow::kCaption));

  // Help closes the page and leaves the viewer open.
  panel.Navigate(7);
  about.ClickButton("Pic", 0);
  EXPECT_FALSE(IsWindowOpen(AboutWindow::kCaption));
  HelpWindow& help = TheForm<HelpWindow>();
  ASSERT_TRUE(help.IsShown());
  EXPECT_TRUE(IsWindowOpen(HelpWindow::kCaption));
  EXPECT_EQ(help.Text(), "Line one\r\n帮助\r\n");
}

TEST_F(ShellDialogs, HelpViewerShowsEveryLineWithCrLf) {
  TempFolder folder;
  HelpWindow::HelpFilePath() = win::Narrow(folder.File(L"Help.dat"));
  HelpWindow& help = TheForm<HelpWindow>();

  // n lines, ended by CR LF, lone CR or nothing: n lines each with CR LF.
  ASSERT_TRUE(WriteBytes(folder.File(L"Help.dat"), "one\r\ntwo\rthree\r\n\r\nfive"));
  ShowHelpViewer();
  ASSERT_TRUE(help.IsShown());
  EXPECT_EQ(help.Text(), "one\r\ntwo\r\nthree\r\n\r\nfive\r\n");
  HWND box = help.ControlWindow("Txt");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(::GetWindowLongPtrW(box, GWL_STYLE) & ES_MULTILINE, 0);
  EXPECT_NE(::GetWindowLongPtrW(box, GWL_STYLE) & WS_VSCROLL, 0);
  RECT r{};
  ::GetClientRect(help.hwnd(), &r);
  EXPECT_EQ(r.right, TwipsToPixels(10020, 96));
  EXPECT_EQ(r.bottom, TwipsToPixels(5865, 96));
  help.Unload();

  // The file is read afresh at each opening; an empty file gives an empty box.
  ASSERT_TRUE(WriteBytes(folder.File(L"Help.dat"), ""));
  ShowHelpViewer();
  ASSERT_TRUE(help.IsShown());
  EXPECT_EQ(help.Text(), "");
  help.Unload();

  // The delivered help file.
  HelpWindow::HelpFilePath() = win::Narrow(BinDir() + L"\\Help.dat");
  ShowHelpViewer();
  ASSERT_TRUE(help.IsShown());
  EXPECT_NE(help.Text().find("贴边隐藏"), std::string::npos);
  SaveRedrawnScreenshot(help.hwnd(), L"help-viewer-96dpi");
}

TEST_F(ShellDialogs, MissingHelpFileIsReportedAndNoViewerAppears) {
  TempFolder folder;
  HelpWindow::HelpFilePath() = win::Narrow(folder.File(L"Help.dat"));  // not there
  ShowHelpViewer();
  EXPECT_FALSE(TheForm<HelpWindow>().IsLoaded());
  EXPECT_FALSE(IsWindowOpen(HelpWindow::kCaption));
  MessageWindow& dialog = TheForm<MessageWindow>();
  ASSERT_TRUE(dialog.IsShown());
  EXPECT_EQ(dialog.Text(), kMissingHelp);
}

TEST_F(ShellDialogs, CloseHoverLightsAtOnceAndResetsWithoutAMouseEvent) {
  TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder.File(L"Help.dat"), "x\r\n"));
  HelpWindow::HelpFilePath() = win::Narrow(folder.File(L"Help.dat"));
  ShowHelpViewer();
  HelpWindow& help = TheForm<HelpWindow>();
  ASSERT_TRUE(help.IsShown());
  const RECT cp = help.ControlBox("CP");
  // A point inside the picture's square that is white in the normal picture
  // and dark red in the highlighted one.
  const int px = cp.left + 10;
  const int py = cp.top + 4;
  const Colour normal = RenderClient(help.hwnd()).At(px, py);
  EXPECT_EQ(help.CloseHover(), -1);

  POINT inside{cp.left + 10, cp.top + 10};
  ::ClientToScreen(help.hwnd(), &inside);
  ::SetCursorPos(inside.x, inside.y);
  ::SendMessageW(help.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cp.left + 10, cp.top + 10));
  EXPECT_EQ(help.CloseHover(), 0);
  const Colour lit = RenderClient(help.hwnd()).At(px, py);
  EXPECT_NE(lit, normal);
  EXPECT_GT(RedOf(lit), BlueOf(lit)) << "the highlighted picture is red";
  // The cursor staying on the picture keeps it lit through several ticks.
  WaitFor([] { return false; }, std::chrono::milliseconds(150));
  EXPECT_EQ(help.CloseHover(), 0);

  // Away from it: back to normal within a tick or two, with no mouse
  // message to the window.
  ::SetCursorPos(5, 5);
  EXPECT_TRUE(WaitFor([&] { return help.CloseHover() == -1; }, std::chrono::milliseconds(500)));
  EXPECT_EQ(RenderClient(help.hwnd()).At(px, py), normal);

  // A click on the picture closes the viewer.
  ClickAt(help.hwnd(), cp.left + 5, cp.top + 5);
  EXPECT_FALSE(help.IsLoaded());
}

}  // namespace
}  // namespace quillet::test

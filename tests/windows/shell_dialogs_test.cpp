// The message dialog, the about page and the help viewer, driven in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "forms/message_window.h"
#include "forms/window_shape_win.h"
#include "lookup/help_window.h"
#include "shell/about_window.h"
#include "shell/main_window.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

// The program's longest message, and a save failure naming a long path.
constexpr const char* kLongMessages[] = {
    "当前显示的是今天的工作记录，新添加的记录如果开始日期不是今天，保存后将不会在本窗口中显示。"
    "请在全部工作记录中查看。",
    "无法保存文件 C:\\Users\\张三\\AppData\\Local\\Programs\\Quillet\\数据\\schedule.dat：磁盘已满。"};

auto CountBlack(const Capture& cap, int top = 0) {
  return std::count(cap.pixels.begin() + top * cap.width, cap.pixels.end(), 0u);
}

using ShellDialogs = ShellFixture;

TEST_F(ShellDialogs, MessageDialogKeepsOneInstanceReplacesItsTextAndShowsLongTextsWhole) {
  ShowMessage(program_, kLongMessages[0]);
  ShowMessage(program_, "第二条消息：文件已保存");
  MessageWindow& dialog = TheForm<MessageWindow>();
  ASSERT_TRUE(dialog.IsShown());
  EXPECT_EQ(TopLevelWindows(::GetCurrentProcessId(), L"Quillet").size(), 1u);
  EXPECT_EQ(dialog.Text(), "第二条消息：文件已保存");
  ::RedrawWindow(dialog.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(dialog.CopyText(), "第二条消息：文件已保存") << "the copy label follows at the paint";

  // A short text: 4680 x 2475 twips (back from the long text's size), topmost, rounded, centred.
  RECT r{};
  ::GetWindowRect(dialog.hwnd(), &r);
  EXPECT_EQ((std::array<LONG, 2>{r.right - r.left, r.bottom - r.top}), (std::array<LONG, 2>{dialog.Px(4680), dialog.Px(2475)}));
  EXPECT_NEAR(r.left, (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, 1);
  EXPECT_NE(::GetWindowLongPtrW(dialog.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  RECT box{};
  ::GetWindowRgnBox(dialog.hwnd(), &box);
  EXPECT_EQ((std::array{box.left, box.top}), (std::array{4L, 4L}));
  SaveScreenshot(dialog.hwnd(), L"message-dialog-" + std::to_wstring(dialog.Dpi()) + L"dpi");
  // Only the left button on the surface drags the dialog.
  DragWindow(dialog.hwnd(), 2);
  DragWindow(dialog.hwnd(), 4);
  RECT after{};
  ::GetWindowRect(dialog.hwnd(), &after);
  EXPECT_TRUE(::EqualRect(&after, &r));
  DragWithTheMouse(r.left + 30, r.top + 140, 80, 40);
  ::GetWindowRect(dialog.hwnd(), &after);
  EXPECT_EQ((std::array{after.left - r.left, after.top - r.top}), (std::array{80L, 40L}));

  for (int i = 0; i < 2; ++i) {
    // Shown whole above the button: as many black pixels as the text drawn on one line.
    ShowMessage(program_, kLongMessages[i]);
    const RECT label = dialog.ControlBox(MessageWindow::kText);
    EXPECT_LE(label.bottom, dialog.ControlBox(MessageWindow::kOkButton).top);
    const win::Font font(ControlFontAt(*FindControl(dialog.Definition(), MessageWindow::kText), dialog.Dpi()));
    const auto whole = CountBlack(RenderText(font.get(), win::Widen(kLongMessages[i]), 2000, 60));
    EXPECT_NEAR(CountBlack(RenderClient(dialog.hwnd()), label.top), whole, whole / 50) << i;
  }

  dialog.ClickButton(MessageWindow::kOkButton);
  EXPECT_TRUE(TopLevelWindows(::GetCurrentProcessId(), L"Quillet").empty());

  // A question: its buttons in a row inside the dialog; the one pressed is the answer.
  dialog.SetAnswers({"保存我的修改", "重新载入", "取消"});
  dialog.SetText("另一个程序已修改了 schedule.dat。");
  ASSERT_TRUE(dialog.Load());
  dialog.Show();
  RECT client{};
  ::GetClientRect(dialog.hwnd(), &client);
  const RECT first = dialog.ControlBox(MessageWindow::kAnswers[0]);
  const RECT middle = dialog.ControlBox(MessageWindow::kAnswers[1]);
  const RECT last = dialog.ControlBox(MessageWindow::kAnswers[2]);
  EXPECT_TRUE(first.left > 0 && first.right < middle.left && middle.right < last.left && last.right < client.right);
  SaveScreenshot(dialog.hwnd(), L"question-dialog-" + std::to_wstring(dialog.Dpi()) + L"dpi");
  dialog.ClickButton(MessageWindow::kAnswers[1]);
  EXPECT_EQ(dialog.Answer(), 1);
  EXPECT_FALSE(dialog.IsLoaded());
}

TEST_F(ShellDialogs, AboutPageLeadsToTheHelpViewerWhichReportsAMissingFileAndResetsItsCloseHover) {
  HelpWindow& help = TheForm<HelpWindow>();
  // A missing file is reported and no viewer appears (the lines: lookup_test).
  ShowHelpViewer(program_);
  EXPECT_FALSE(help.IsLoaded());
  EXPECT_TRUE(TheForm<MessageWindow>().IsShown() &&
              TheForm<MessageWindow>().Text() == "无法打开帮助文件！");
  // The panel's last button toggles the about page; its cancel closes it.
  MainWindow& panel = TheForm<MainWindow>();
  panel.Attach(program_);
  panel.Navigate(MainWindow::kAboutButton);
  ASSERT_TRUE(TheForm<AboutWindow>().IsLoaded());
  SaveRedrawnScreenshot(TheForm<AboutWindow>().hwnd(), L"about-page-96dpi");
  panel.Navigate(MainWindow::kAboutButton);
  EXPECT_FALSE(TheForm<AboutWindow>().IsLoaded());
  panel.Navigate(MainWindow::kAboutButton);
  TheForm<AboutWindow>().ClickButton(AboutWindow::kCancelButton);
  EXPECT_FALSE(TheForm<AboutWindow>().IsLoaded());
  // Its help button closes it and opens the delivered help file, read afresh, in a box that scrolls.
  ProgramFolder = win::Narrow(BinDir());
  panel.Navigate(MainWindow::kAboutButton);
  TheForm<AboutWindow>().ClickButton(AboutWindow::kHelpButton);
  EXPECT_FALSE(TheForm<AboutWindow>().IsLoaded());
  ASSERT_TRUE(help.IsShown());
  EXPECT_NE(help.Text().find("贴边隐藏"), std::string::npos);
  const LONG_PTR style = ::GetWindowLongPtrW(help.ControlWindow(HelpWindow::kText), GWL_STYLE);
  EXPECT_EQ(style & (ES_MULTILINE | WS_VSCROLL), ES_MULTILINE | WS_VSCROLL);
  SaveRedrawnScreenshot(help.hwnd(), L"help-viewer-96dpi");

  // A point of the close picture: white normally, dark red when lit.
  const RECT cp = help.ControlBox(HelpWindow::kClose);
  const int px = cp.left + 10, py = cp.top + 4;
  const Colour normal = RenderClient(help.hwnd()).At(px, py);
  POINT inside{cp.left + 10, cp.top + 10};
  ::ClientToScreen(help.hwnd(), &inside);
  ::SetCursorPos(inside.x, inside.y);
  ::SendMessageW(help.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cp.left + 10, cp.top + 10));
  EXPECT_EQ(help.CloseHover(), 0);
  const Colour lit = RenderClient(help.hwnd()).At(px, py);
  EXPECT_GT(RedOf(lit), BlueOf(lit)) << "the highlighted picture is red, the normal one white";
  ASSERT_TRUE(WaitForTicks(help.hwnd(), 3)) << "no hover ticks";  // the cursor staying keeps it lit
  EXPECT_EQ(help.CloseHover(), 0);
  // Away from it: normal again at a tick, with no mouse message.
  ::SetCursorPos(5, 5);
  EXPECT_TRUE(WaitFor([&] { return help.CloseHover() == -1; }));
  EXPECT_EQ(RenderClient(help.hwnd()).At(px, py), normal);
  ClickAt(help.hwnd(), cp.left + 5, cp.top + 5);  // closes the viewer
  EXPECT_FALSE(help.IsLoaded());
}

}  // namespace
}  // namespace quillet::test

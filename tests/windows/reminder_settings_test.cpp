// The reminder settings window in this process, driven with real mouse and keyboard input.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/message_window.h"
#include "forms/text_input_win.h"
#include "reminders/reminder_editing.h"
#include "reminders/reminder_settings_window.h"
#include "shell/main_window.h"
#include "shell/program_windows_win.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"

namespace quillet::test {
namespace {

using Window = ReminderSettingsWindow;

void ClickCell(Window& w, int row, int col, int clicks = 1) {
  ClickTheMouse(w.Grid(Window::kTable)->hwnd(), w.Grid(Window::kTable)->CellBox(row, col), clicks);
}
void ClickButton(Window& w, int index) { ClickTheMouse(w.hwnd(), w.ControlBox(Window::kButtons[index])); }

HWND DropDown(Window& w, int row, int col) {
  ClickCell(w, row, col, 2);
  HWND box = w.ControlWindow(Window::kDropDown);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ::GetComboBoxInfo(box, &info);
  ClickTheMouse(box, info.rcButton);
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  return info.hwndList;
}

// Takes the entry with the arrow keys and Enter; Enter again closes the editor.
void Choose(Window& w, int row, int col, const std::wstring& text) {
  DropDown(w, row, col);
  HWND box = w.ControlWindow(Window::kDropDown);
  const LRESULT target = ::SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(text.c_str()));
  LRESULT at = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
  for (; at != target; at += at < target ? 1 : -1) PressKey(at < target ? VK_DOWN : VK_UP);
  PressKey(VK_RETURN);
  PressKey(VK_RETURN);
}

using ReminderSettings = ShellFixture;

// The panel's button "定期提醒设置".
Window& Press(Program& program) {
  ConnectProgramWindows(program);
  TheForm<MainWindow>().Navigate(MainWindow::kRemindersButton);
  Window& w = TheForm<Window>();
  if (w.IsLoaded()) {
    ::SetForegroundWindow(w.hwnd());
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == w.hwnd(); })) << "never in front";
  }
  return w;
}

TEST_F(ReminderSettings, RemindersDeletedAddedChosenTypedAndSavedByteForByte) {
  std::vector<Reminder> file;
  for (int i = 1; i <= 20; ++i) {
    const std::string year = i == 1 ? "2004" : "2026";
    file.push_back({{"第" + std::to_string(i) + "条提醒：带上会议材料", year, "5", "1", "8", "0",
                     "0", "每月提醒", "声音&窗口", "备注", year + "-5-1 8:00:00"}});
  }
  const std::wstring path = folder_.File(L"timer.dat");
  ASSERT_TRUE(WriteBytes(path, ReminderFile(file)));
  Window& w = Press(program_);
  TableModel& table = w.Table();
  SaveRedrawnScreenshot(w.hwnd(), L"reminder-settings-20-96dpi");

  // A year outside the list is shown as it is, typing is discarded, Esc closes the list then the editor.
  DropDown(w, 1, kYearCol);
  HWND box = w.ControlWindow(Window::kDropDown);
  EXPECT_EQ(::SendMessageW(box, CB_GETCOUNT, 0, 0), 12);
  PressKey(VK_ESCAPE);
  TypeText(L"5");
  PressKey(VK_DELETE);
  EXPECT_EQ(WindowText(box), "2004");
  PressKey(VK_ESCAPE);
  // F2 opens the editor a double-click would: the list over the month.
  ClickCell(w, 1, kMonthCol);
  PressKey(VK_F2);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(box) && WindowText(box) == "5"; }));
  PressKey(VK_ESCAPE);

  // Rows 4 up to 2 deleted; two reminders added (rows 18 and 19).
  ClickCell(w, 4, kContentCol);
  PressKey(VK_UP, true);
  PressKey(VK_UP, true);
  ClickButton(w, Window::kDeleteAction);
  ClickButton(w, Window::kAddAction);
  ClickButton(w, Window::kAddAction);
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const std::string later = std::to_string(now.wYear + 2);
  Choose(w, 18, kYearCol, win::Widen(later));
  Choose(w, 18, kMonthCol, L"2");
  Choose(w, 18, kDayCol, L"28");
  EXPECT_EQ(::SendMessageW(box, CB_GETCOUNT, 0, 0), DaysInMonth(now.wYear + 2, 2));
  Choose(w, 18, kHourCol, L"7");
  Choose(w, 18, kRepeatCol, L"每年农历提醒");
  // The longest kind fits its column in the grid's face, 宋体 9 pt, with 2 px padding each side.
  win::Font font(::CreateFontW(-::MulDiv(9, w.Dpi(), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
  win::WindowDc screen(nullptr);
  win::SelectScope chosen(screen.get(), font.get());
  SIZE kind{};
  const RECT cell = w.Grid(Window::kTable)->CellBox(18, kRepeatCol);
  EXPECT_TRUE(::GetTextExtentPoint32W(screen.get(), L"每年农历提醒", 6, &kind) && kind.cx + 4 <= cell.right - cell.left);
  Choose(w, 18, kPromptCol, L"只弹出窗口");
  ClickCell(w, 18, kContentCol, 2);
  TypeText(L"交房租");  // written when the editor loses the focus
  DropDown(w, 18, kDayCol);
  SaveRedrawnScreenshot(w.hwnd(), L"reminder-settings-drop-down-96dpi");
  PressKey(VK_ESCAPE);  // the list goes; a click then reaches the table
  ClickCell(w, 19, kContentCol);
  ClickButton(w, Window::kDeleteAction);
  ClickButton(w, Window::kSaveAndCloseAction);
  EXPECT_TRUE(WaitFor([] { return !TheForm<Window>().IsLoaded(); }));
  std::vector<Reminder> kept(file.begin() + 3, file.end());  // rows 1, 5 .. 20
  kept[0] = file[0];
  kept.push_back({{"交房租", later, "2", "28", "7", "0", "0", "每年农历提醒", "只弹出窗口", "",
                   later + "-2-28 7:00:00"}});
  EXPECT_EQ(ReadBytes(path), ReminderFile(kept));

  // A failed save keeps the window and its changes; "取 消 退 出" then closes it unsaved.
  Press(program_);
  ClickButton(w, Window::kAddAction);
  const std::wstring blocker = path + L".saving";  // a folder where the save writes first
  ASSERT_TRUE(::CreateDirectoryW(blocker.c_str(), nullptr));
  ClickButton(w, Window::kSaveAndCloseAction);
  ::RemoveDirectoryW(blocker.c_str());
  EXPECT_TRUE(w.IsLoaded() && table.Rows() == 20);
  EXPECT_EQ(TheForm<MessageWindow>().Text().rfind("无法保存定时提醒文件 " + win::Narrow(path), 0), 0u);
  ClickButton(w, Window::kCancelAction);
  EXPECT_FALSE(TheForm<Window>().IsLoaded());
  EXPECT_EQ(ReadBytes(path), ReminderFile(kept));
}

}  // namespace
}  // namespace quillet::test

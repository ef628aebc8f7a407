// The reminder settings window in this process, opened and closed through
// the panel's button and driven with real mouse and keyboard input: two
// reminders added, one set through the drop-down and the text editor, a
// range deleted, saved; timer.dat byte for byte. A failed save and closing
// without saving leave the file as it was. GDI objects over many openings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/codepage.h"
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

std::string Bytes(const std::vector<Reminder>& list) {
  return EncodeCp936(FormatReminders(list)).bytes;
}

Reminder Sample(const std::string& content, const std::string& year) {
  return {{content, year, "5", "1", "8", "0", "0", "每月提醒", "声音&窗口", "备注",
           year + "-5-1 8:00:00"}};
}

POINT Centre(HWND window, RECT box) {
  POINT p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  ::ClientToScreen(window, &p);
  return p;
}
void Click(POINT p, int clicks = 1) { ClickTheMouse(p.x, p.y, clicks); }
POINT Cell(Window& w, int row, int col) {
  return Centre(w.Grid("Tbl")->hwnd(), w.Grid("Tbl")->CellBox(row, col));
}
POINT Button(Window& w, int index) { return Centre(w.hwnd(), w.ControlBox("Pic", index)); }

// Double-clicks a cell and drops its list down with a click on the arrow.
HWND DropDown(Window& w, int row, int col) {
  Click(Cell(w, row, col), 2);
  HWND box = w.ControlWindow("Cmb");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ::GetComboBoxInfo(box, &info);
  Click(Centre(box, info.rcButton));
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  return info.hwndList;
}

// Picks an entry with a click, or with the arrow keys and Enter when it
// lies outside the list's view; Enter then closes the editor (it covers
// the next cells).
void Choose(Window& w, int row, int col, const std::wstring& text) {
  HWND list = DropDown(w, row, col);
  HWND box = w.ControlWindow("Cmb");
  const auto target = static_cast<int>(::SendMessageW(
      box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
  ASSERT_GE(target, 0) << win::Narrow(text);
  RECT item{}, view{};
  ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(target),
                 reinterpret_cast<LPARAM>(&item));
  ::GetClientRect(list, &view);
  if (item.top >= 0 && item.bottom <= view.bottom) {
    Click(Centre(list, item));
  } else {
    int at = static_cast<int>(::SendMessageW(box, CB_GETCURSEL, 0, 0));
    for (; at != target; at += at < target ? 1 : -1) PressKey(at < target ? VK_DOWN : VK_UP);
    PressKey(VK_RETURN);
  }
  PressKey(VK_RETURN);
  EXPECT_EQ(w.Table().TextMatrix(row, col), win::Narrow(text));
}

class ReminderSettings : public ShellFixture {
 protected:
  std::wstring File() const { return folder_.File(L"timer.dat"); }
  std::wstring Shot(const wchar_t* name) {
    return std::wstring(L"reminder-settings-") + name + L"-" +
           std::to_wstring(TheForm<Window>().Dpi()) + L"dpi";
  }
  Window& Press() {  // the panel's button "定期提醒设置"
    ConnectProgramWindows();
    TheForm<MainWindow>().Navigate(3);
    Window& w = TheForm<Window>();
    if (w.IsLoaded()) ::SetForegroundWindow(w.hwnd());
    WaitFor([] { return false; }, std::chrono::milliseconds(200));
    return w;
  }
};

TEST_F(ReminderSettings, RemindersAddedChosenTypedDeletedAndSavedByteForByte) {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const int year = now.wYear;
  ASSERT_TRUE(WriteBytes(File(), Bytes({Sample("交水费", "2004"), Sample("乙", "2006"),
                                        Sample("丙", "2006")})));
  Window& w = Press();
  ASSERT_TRUE(w.IsShown());
  TableModel& table = w.Table();
  Click(Button(w, Window::kAddAction));
  Click(Button(w, Window::kAddAction));
  ASSERT_EQ(table.Rows(), 6);

  // A year outside the list is shown as it is; Esc leaves the cell alone.
  DropDown(w, 1, kYearCol);
  HWND box = w.ControlWindow("Cmb");
  EXPECT_EQ(WindowText(box), "2004");
  EXPECT_EQ(::SendMessageW(box, CB_GETCOUNT, 0, 0), 12);
  PressKey(VK_ESCAPE);
  TypeText(L"5");
  PressKey(VK_DELETE);
  EXPECT_EQ(WindowText(box), "2004") << "typing is discarded";
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(::IsWindowVisible(box));

  const std::string later = std::to_string(year + 2);
  Choose(w, 5, kYearCol, win::Widen(later));
  Choose(w, 5, kMonthCol, L"2");
  Choose(w, 5, kDayCol, L"28");
  EXPECT_EQ(::SendMessageW(box, CB_GETCOUNT, 0, 0), DaysInMonth(year + 2, 2));
  Choose(w, 5, kHourCol, L"7");
  Choose(w, 5, kRepeatCol, L"每月提醒");
  Choose(w, 5, kPromptCol, L"只弹出窗口");
  Click(Cell(w, 5, kContentCol), 2);
  TypeText(L"交房租");
  PressKey(VK_RETURN);

  // Rows 4 up to 2 dragged and deleted.
  const POINT from = Cell(w, 4, kContentCol), to = Cell(w, 2, kContentCol);
  MoveTheMouse(from.x, from.y);
  PressTheMouse(true);
  MoveTheMouse(to.x, to.y);
  PressTheMouse(false);
  Click(Button(w, Window::kDeleteAction));
  ASSERT_EQ(table.Rows(), 3);
  Click(Button(w, Window::kSaveAndCloseAction));
  EXPECT_FALSE(IsWindowOpen(Window::kCaption));
  const std::string saved =
      Bytes({Sample("交水费", "2004"), {{"交房租", later, "2", "28", "7", "0", "0", "每月提醒",
                                         "只弹出窗口", "", later + "-2-28 7:00:00"}}});
  EXPECT_EQ(ReadBytes(File()), saved);

  // A failed save keeps the window and its changes; the second press of
  // the panel's button closes it without saving.
  Press();
  Click(Button(w, Window::kAddAction));
  Parameters[kParamDataFolder] = win::Narrow(folder_.path()) + "\\没有的文件夹";
  Click(Button(w, Window::kSaveAndCloseAction));
  EXPECT_TRUE(w.IsLoaded() && table.Rows() == 4);
  EXPECT_NE(TheForm<MessageWindow>().Text().find("没有的文件夹\\timer.dat"), std::string::npos);
  Press();
  EXPECT_FALSE(IsWindowOpen(Window::kCaption));
  EXPECT_EQ(ReadBytes(File()), saved);
}

TEST_F(ReminderSettings, LooksAndGdiObjectsStayFlatOverOpenings) {
  SaveRedrawnScreenshot(Press().hwnd(), Shot(L"empty"));
  Press();
  std::vector<Reminder> many;
  for (int i = 1; i <= 20; ++i) {
    many.push_back(Sample("第" + std::to_string(i) + "条提醒：带上会议材料", "2026"));
  }
  ASSERT_TRUE(WriteBytes(File(), Bytes(many)));
  Window& w = Press();
  SaveRedrawnScreenshot(w.hwnd(), Shot(L"20"));
  Click(Cell(w, 3, kContentCol), 2);
  TypeText(L"改成下午三点");
  SaveRedrawnScreenshot(w.hwnd(), Shot(L"text-editor"));
  HWND list = DropDown(w, 3, kDayCol);
  EXPECT_EQ(w.Table().TextMatrix(3, kContentCol), "改成下午三点") << "written as the editor left";
  RECT area{}, dropped{};
  ::GetWindowRect(w.hwnd(), &area);
  ::GetWindowRect(list, &dropped);
  ::UnionRect(&area, &area, &dropped);
  HDC screen = ::GetDC(nullptr);  // the list is a window of its own
  const int width = area.right - area.left, height = area.bottom - area.top;
  SaveCapture(RenderWith(width, height, [&](HDC dc) {
                ::BitBlt(dc, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
              }), Shot(L"drop-down"));
  ::ReleaseDC(nullptr, screen);
  Press();
  EXPECT_LE(GdiGrowth([] {
              ShowReminderSettings();
              ::UpdateWindow(TheForm<Window>().hwnd());
              RunReminderSettingsAction(Window::kCancelAction);
            }, 200), 2);
}

}  // namespace
}  // namespace quillet::test

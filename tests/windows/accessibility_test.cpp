// What a screen reader reads through oleacc, in this process: the gradient buttons of every window,
// the table's focused cell after an arrow key, a calendar day and the boxes named by drawn labels.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "calendar/calendar_window.h"
#include "forms/message_window.h"
#include "reminders/reminder_popup_window.h"
#include "shell/main_window.h"
#include "shell/program_windows_win.h"
#include "tests/support/shell_fixture.h"
#include "win32/accessible.h"
#include "worklog/record_edit_window.h"
#include "worklog/work_list_window.h"

namespace quillet::test {
namespace {

struct Spoken {
  std::wstring name;
  long role = 0;
};

win::ComRef<IAccessible> ClientObject(HWND window) {
  IAccessible* object = nullptr;
  ::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
  return win::ComRef<IAccessible>(object);
}

// accName and accRole of the window's client object or of one of its parts.
Spoken Read(HWND window, long child = CHILDID_SELF) {
  Spoken spoken;
  const win::ComRef<IAccessible> object = ClientObject(window);
  if (!object) return spoken;
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  if (object.get()->get_accName(id, &name) == S_OK) spoken.name.assign(name, ::SysStringLen(name));
  ::SysFreeString(name);
  VARIANT role{};
  if (object.get()->get_accRole(id, &role) == S_OK && role.vt == VT_I4) spoken.role = role.lVal;
  return spoken;
}

long FocusEvents = 0;  // the child of the last EVENT_OBJECT_FOCUS of the grid
HWND Grid = nullptr;
void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (window == Grid && object == OBJID_CLIENT) FocusEvents = child;
}

using Accessibility = ShellFixture;

TEST_F(Accessibility, EveryButtonTheTablesFocusedCellACalendarDayAndTheLabelledBoxesAreSpoken) {
  ASSERT_TRUE(WriteBytes(folder_.File(L"schedule.dat"), WorkFile({{"2029-3-15 8:0", "2030-1-6 9:0", "写周报", "尚未完成", ""}})));
  ::CopyFileW((BinDir() + L"\\Holiday.dat").c_str(), folder_.File(L"Holiday.dat").c_str(), FALSE);
  ConnectProgramWindows(program_);
  MainWindow& panel = TheForm<MainWindow>();
  ASSERT_TRUE(panel.Start(program_, 3000, 1500));
  const auto press = [&](int button) { return [&panel, button] { panel.Navigate(button); }; };
  FiredReminder water;
  water.content = "该喝水了";
  water.prompt = "只弹出窗口";
  const struct {
    std::function<void()> open;
    const wchar_t* caption;
    std::vector<std::wstring> buttons;
  } windows[] = {
      {[] {}, L"\x3000Quillet", {L"我今天的工作", L"添加工作记录", L"全部工作记录", L"定期提醒设置",
                                 L"Tamber日历查询", L"电话区号查询", L"我的个性设置", L"帮助"}},
      {press(MainWindow::kAllRecordsButton), L"\x3000我的工作记录表",
       {L"\x3000\x3000查 看 记 录", L"\x3000\x3000删 除 记 录", L"\x3000\x3000修 改 记 录", L"\x3000\x3000添 加 记 录",
        L"起始时间排序", L"截止时间排序", L"\x3000\x3000保 存 表 格", L"\x3000\x3000保 存 退 出", L"\x3000\x3000取 消 退 出"}},
      {press(MainWindow::kAddRecordButton), L"\x3000编辑工作记录", {L"添加记录", L"取　　消"}},
      {press(MainWindow::kRemindersButton), L"定时提醒设置", {L"添 加 记 录", L"删 除 记 录", L"保 存 退 出", L"取 消 退 出"}},
      {press(MainWindow::kLookupButton), L"\x3000邮编区号查询", {L"查询", L"退　出"}},
      {press(MainWindow::kSettingsButton), L"\x3000个人设置", {L"浏览", L"试听", L"保\x3000\x3000存", L"取\x3000\x3000消"}},
      {press(MainWindow::kAboutButton), L"\x3000版权说明", {L"帮　　 助", L"取　　 消"}},
      {press(MainWindow::kCalendarButton), L"\x3000Tamber日历", {}},
      {[&] { ShowReminders(program_, {water}); }, L"\x3000定时器", {L"关\x3000闭\x3000提\x3000醒", L"稍\x3000后\x3000提\x3000醒"}},
      {[&] { ShowMessage(program_, "已保存"); }, L"Quillet", {L"确　　定"}},
  };
  WorkListWindow& list = TheForm<WorkListWindow>();
  for (const auto& w : windows) {
    w.open();
    const std::vector<HWND> found = TopLevelWindows(::GetCurrentProcessId(), w.caption);
    ASSERT_EQ(found.size(), 1u) << win::Narrow(w.caption);
    std::vector<std::wstring> names;
    for (HWND b = nullptr; (b = ::FindWindowExW(found[0], b, L"LantocGleamWindow", nullptr));) {
      const Spoken spoken = Read(b);
      EXPECT_EQ(spoken.role, ROLE_SYSTEM_PUSHBUTTON) << win::Narrow(spoken.name);
      names.push_back(spoken.name);
    }
    std::vector<std::wstring> expected = w.buttons;
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected) << win::Narrow(w.caption);
  }

  // 2026-10-01, a Thursday: the fourth cell, the mark of Holiday.dat included.
  CalendarWindow& calendar = TheForm<CalendarWindow>();
  calendar.SetScrollValue(CalendarWindow::kYearBar, 2026);
  calendar.SetScrollValue(CalendarWindow::kMonthBar, 10);
  const Spoken day = Read(calendar.ControlWindow(CalendarWindow::kDayBoxes[3]));
  EXPECT_EQ(day.name, L"2026年10月1日 八月廿一 (国庆节) 休");
  EXPECT_EQ(day.role, ROLE_SYSTEM_CELL);

  // Labels the windows draw, as the names of the boxes beside them.
  const struct {
    HWND box;
    const wchar_t* name;
  } labelled[] = {
      {calendar.ControlWindow(CalendarWindow::kScrollBars[CalendarWindow::kMonthBar]), L"月份"},
      {TheForm<RecordEditWindow>().ControlWindow(RecordEditWindow::kDateLists[6]), L"工作截止日期及时间 月"},
      {TheForm<RecordEditWindow>().ControlWindow(RecordEditWindow::kRemarksBox), L"备注"},
      {list.ControlWindow(WorkListWindow::kFilters[1]), L"显示已完成记录"},
  };
  for (const auto& l : labelled) EXPECT_EQ(Read(l.box).name, l.name);

  // The default action clicks: 确定 closes the message, 取　　消 the record editor.
  VARIANT self{};
  self.vt = VT_I4;
  for (HWND button : {TheForm<MessageWindow>().ControlWindow(MessageWindow::kOkButton),
                      TheForm<RecordEditWindow>().ControlWindow(RecordEditWindow::kCancelButton)}) {
    const win::ComRef<IAccessible> object = ClientObject(button);
    ASSERT_TRUE(object);
    EXPECT_EQ(object.get()->accDoDefaultAction(self), S_OK);
  }
  EXPECT_TRUE(WaitFor([] { return !TheForm<MessageWindow>().IsShown() && !TheForm<RecordEditWindow>().IsLoaded(); }));

  // Down and Right from the heading corner: the first record's start, then its deadline.
  Grid = list.ControlWindow(WorkListWindow::kTable);
  const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                                               ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ::SetForegroundWindow(list.hwnd());
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == list.hwnd(); }));
  ::SetFocus(Grid);
  PressKey(VK_DOWN);
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitFor([] { return FocusEvents == 2; })) << "no focus event for cell (1, 2)";
  VARIANT focus{};
  const win::ComRef<IAccessible> table = ClientObject(Grid);
  ASSERT_TRUE(table);
  EXPECT_EQ(table.get()->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt == VT_I4 ? focus.lVal : -1, 2);
  const Spoken cell = Read(Grid, 2);
  EXPECT_EQ(cell.name, L"截止日期，第1行：2030-1-6 9:0");
  EXPECT_EQ(cell.role, ROLE_SYSTEM_CELL);
  EXPECT_EQ(Read(Grid).role, ROLE_SYSTEM_TABLE);
  ::UnhookWinEvent(hook);
}

}  // namespace
}  // namespace quillet::test

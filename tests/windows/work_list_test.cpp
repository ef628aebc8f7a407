// The work-record list window in this process, driven with real mouse and
// keyboard input: the grid's drawing, filters, a range chosen by dragging,
// the floating editor and a failed save.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/message_window.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "worklog/work_list_window.h"

namespace quillet::test {
namespace {

int ShownRows(const TableModel& table) {
  int shown = 0;
  for (int r = 1; r < table.Rows(); ++r) shown += table.RowHeight(r) > 0 ? 1 : 0;
  return shown;
}

// The screen point at the middle of a cell of the list's grid.
POINT CellCentre(WorkListWindow& list, int row, int col) {
  return BoxCentre(list.Grid("Tbl")->hwnd(), list.Grid("Tbl")->CellBox(row, col));
}

class WorkList : public ShellFixture {
 protected:
  std::wstring File() const { return folder_.File(L"schedule.dat"); }
  WorkListWindow& Open() {
    TodayOnly = 0;
    ShowWorkList();
    WorkListWindow& list = TheForm<WorkListWindow>();
    EXPECT_TRUE(WaitFor([&] { return list.IsShown(); }));
    ::SetForegroundWindow(list.hwnd());
    WaitFor([] { return false; }, std::chrono::milliseconds(200));
    return list;
  }
  std::wstring Dpi(const Form& f) const { return L"-" + std::to_wstring(f.Dpi()) + L"dpi"; }
};

TEST_F(WorkList, FiltersRangesAndTheFloatingEditorChangeOnlyWhatTheUserChanged) {
  {
    WorkListWindow& empty = Open();
    EXPECT_EQ(empty.Table().Rows(), 1);
    SaveRedrawnScreenshot(empty.hwnd(), L"work-list-empty" + Dpi(empty));
    empty.Action(8);
  }
  std::vector<WorkRecord> records = WorkRecords(30);
  ASSERT_TRUE(WriteBytes(File(), WorkFileBytes(records)));
  WorkListWindow& list = Open();
  TableModel& table = list.Table();
  ASSERT_EQ(table.Rows(), 31);
  EXPECT_EQ(ShownRows(table), 18) << "not done, postponed and part done are ticked";
  EXPECT_EQ(table.TextMatrix(4, 0), "2") << "rows 2 and 3 are hidden";

  // Ticking "显示已完成记录" shows the done rows, numbered in order.
  ClickTheMouse(list.hwnd(), list.ControlBox("Chk", 1));
  EXPECT_EQ(ShownRows(table), 24);
  EXPECT_EQ(table.TextMatrix(2, 0), "2");

  // A range dragged from the 5th shown row up to the 2nd, then one more
  // row with Shift+Down (rows 6, 4, 2 and 7 are shown; 3 is not).
  const POINT from = CellCentre(list, 6, 1);
  MoveTheMouse(from.x, from.y);
  PressTheMouse(true);
  const POINT to = CellCentre(list, 2, 1);
  MoveTheMouse(to.x, to.y);
  WaitFor([] { return false; }, std::chrono::milliseconds(100));
  PressTheMouse(false);
  EXPECT_EQ(table.Row(), 6);
  EXPECT_EQ(table.RowSel(), 2);
  PressKey(VK_DOWN, true);
  EXPECT_EQ(table.RowSel(), 4);
  SaveRedrawnScreenshot(list.hwnd(), L"work-list-range" + Dpi(list));

  // The floating editor: Esc leaves the cell alone, a click elsewhere
  // writes it back; characters the file cannot hold are refused.
  const POINT content = CellCentre(list, 7, 3);
  ClickTheMouse(content.x, content.y, 2);
  HWND editor = list.ControlWindow("Txt");
  ASSERT_TRUE(::IsWindowVisible(editor));
  TypeText(L"作废");
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(::IsWindowVisible(editor));
  EXPECT_EQ(table.TextMatrix(7, 3), "第7项工作");
  ClickTheMouse(content.x, content.y, 2);
  TypeText(L"改过的内容");
  SaveRedrawnScreenshot(list.hwnd(), L"work-list-editor" + Dpi(list));
  TypeText(L"\U0001F600");
  EXPECT_NE(TheForm<MessageWindow>().Text().find("\U0001F600"), std::string::npos);
  TheForm<MessageWindow>().Unload();
  ::SetForegroundWindow(list.hwnd());
  const POINT other = CellCentre(list, 1, 1);
  ClickTheMouse(other.x, other.y);
  EXPECT_EQ(table.TextMatrix(7, 3), "改过的内容") << "written back when the editor lost the focus";
  records[6].content = "改过的内容";

  // A save that fails keeps the window and the change, and says why.
  Parameters[kParamDataFolder] = win::Narrow(folder_.path()) + "\\没有的文件夹";
  list.Action(7);
  EXPECT_TRUE(list.IsLoaded());
  EXPECT_NE(TheForm<MessageWindow>().Text().find("没有的文件夹\\schedule.dat"), std::string::npos);
  Parameters[kParamDataFolder] = win::Narrow(folder_.path());
  TheForm<MessageWindow>().Unload();
  ::SetForegroundWindow(list.hwnd());
  // Another cell than the last click's: a second click there would be a
  // double-click on a date, which opens the record edit window.
  const POINT again = CellCentre(list, 2, 1);
  ClickTheMouse(again.x, again.y);
  PressKey(VK_RETURN);  // the grid has the focus: save and close
  EXPECT_FALSE(list.IsLoaded());
  EXPECT_EQ(ReadBytes(File()), WorkFileBytes(records));
}

}  // namespace
}  // namespace quillet::test

// A user's way through the work records in the real program, with real
// mouse and keyboard input: today's records and all of them, a record
// added and one changed in the edit window, cells edited in place (Esc
// leaves a cell alone, a character the file cannot hold is refused), a
// dragged range deleted, both sorts, a filter unticked and ticked, saved
// with Enter; then the record file byte for byte. Closing without saving
// leaves the file as it was; ending the program with the list open keeps
// the changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "base/units.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "worklog/work_record.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";
constexpr const wchar_t* kListCaption = L"\x3000我的工作记录表";
constexpr const wchar_t* kEditCaption = L"\x3000编辑工作记录";
// Work table columns (twips) and the height of the heading row and of a row.
constexpr std::array<int, 6> kColumns = {500, 1600, 1600, 3000, 800, 2450};
constexpr int kHeadingHeight = 240;
constexpr int kRowHeight = 250;

void Click(POINT p, int clicks = 1) { ClickTheMouse(p.x, p.y, clicks); }

// The middle of a cell of the list's table, all rows shown from the top.
POINT Cell(HWND list, int row, int col) {
  HWND grid = ::FindWindowExW(list, nullptr, L"QuilletGrid", nullptr);
  int x = 0;
  for (int c = 0; c < col; ++c) x += kColumns[static_cast<std::size_t>(c)];
  POINT p{TwipsToPixels(x + kColumns[static_cast<std::size_t>(col)] / 2.0, 96),
          TwipsToPixels(kHeadingHeight + kRowHeight * (row - 1) + kRowHeight / 2.0, 96)};
  ::ClientToScreen(grid, &p);
  return p;
}

// A list button, by index: left 10560 twips, its top from the layout.
POINT ListButton(HWND list, int index) {
  constexpr std::array<int, 9> kTops = {1320, 1700, 2080, 2480, 3000, 3390, 4200, 4600, 5010};
  return TwipsPoint(list, 10560 + 1695 / 2.0, kTops[static_cast<std::size_t>(index)] + 375 / 2.0);
}

TEST(WorkJourney, RecordsAddedChangedDeletedSortedAndSavedThroughTheWindows) {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const std::string today = std::to_string(now.wYear) + "-" + std::to_string(now.wMonth) + "-" +
                            std::to_string(now.wDay);
  std::vector<WorkRecord> records = {
      {today + " 8:0", "2030-1-6 9:0", "晨会", "尚未完成", ""},
      {today + " 10:0", "2030-1-5 9:0", "写周报", "因故延期", "等数据"},
      {"2006-5-1 9:0", "2030-1-4 9:0", "旧任务甲", "完成部分", ""},
      {"2006-5-2 9:0", "2030-1-3 9:0", "旧任务乙", "尚未完成", ""},
      {"2006-5-3 9:0", "2030-1-1 9:0", "旧任务丙", "因故延期", ""},
      {"2006-5-4 9:0", "2030-1-1 9:0", "旧任务丁", "尚未完成", "同一截止"},
  };
  Installation install(PanelSettings(3000, 1500));
  const std::wstring file = install.folder() + L"\\schedule.dat";
  ASSERT_TRUE(WriteBytes(file, WorkFile(records)));
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  // The panel's buttons, top to bottom: 0 today's work, 2 all records.
  std::vector<HWND> buttons = ChildWindows(panel);
  ASSERT_GE(buttons.size(), 8u);
  const auto press = [](HWND button) { ClickTheMouse(button); };
  const auto gone = [](HWND window) { return WaitFor([=] { return !::IsWindow(window); }); };

  // Today's work, then the panel's button again: saved and closed as it was.
  press(buttons[0]);
  HWND list = program.WaitWindow(kListCaption);
  ASSERT_NE(list, nullptr);
  SaveRedrawnScreenshot(list, L"journey-today");
  press(buttons[0]);
  ASSERT_TRUE(gone(list)) << "the list stayed";
  EXPECT_EQ(ReadBytes(file), WorkFile(records));

  // "添加工作记录" opens all records and the edit window; pressed again
  // while that is open it does nothing. Added: today 9:0 to 17:0.
  press(buttons[1]);
  list = program.WaitWindow(kListCaption);
  ASSERT_NE(list, nullptr);
  HWND edit = program.WaitWindow(kEditCaption);
  ASSERT_NE(edit, nullptr);
  press(buttons[1]);
  const POINT content = TwipsPoint(edit, 120 + 5055 / 2.0, 2040 + 855 / 2.0);
  Click(content);
  ASSERT_TRUE(WaitFor([&] { return FocusIn(edit) == ::WindowFromPoint(content); }));
  TypeText(L"新的工作", ::WindowFromPoint(content));  // taken after the second press
  EXPECT_EQ(TopLevelWindows(program.Id(), kEditCaption).size(), 1u);
  EXPECT_FALSE(::IsWindowEnabled(list)) << "the list waits while the edit window is open";
  Click(TwipsPoint(edit, 5400 + 1215 / 2.0, 1920 + 375 / 2.0));
  ASSERT_TRUE(gone(edit)) << "the record was not taken";
  EXPECT_TRUE(::IsWindowEnabled(list));
  records.push_back({today + " 9:0", today + " 17:0", "新的工作", "尚未完成", ""});

  // A double-click on a date changes the record: its state to "完成部分".
  Click(Cell(list, 1, 1), 2);
  edit = program.WaitWindow(kEditCaption);
  ASSERT_NE(edit, nullptr);
  Click(TwipsPoint(edit, 5400 + 300, 3240 + 240 * 4 + 127));
  Click(TwipsPoint(edit, 5400 + 1215 / 2.0, 1920 + 375 / 2.0));
  ASSERT_TRUE(gone(edit));
  records[0].state = "完成部分";

  // A double-click on a content cell edits it in place; a click elsewhere
  // writes it back.
  // The editor over the cell, with the focus; or gone, the table focused.
  HWND editor = ::FindWindowExW(list, nullptr, L"Edit", nullptr);
  HWND grid = ::FindWindowExW(list, nullptr, L"QuilletGrid", nullptr);
  const auto shown = [&](bool open) {
    return WaitFor([&] { return (::IsWindowVisible(editor) != FALSE) == open && FocusIn(list) == (open ? editor : grid); });
  };
  Click(Cell(list, 2, 3), 2);
  ASSERT_TRUE(shown(true)) << "no editor over the cell";
  TypeText(L"改写的内容", editor);
  Click(Cell(list, 1, 1));
  EXPECT_TRUE(shown(false));
  records[1].content = "改写的内容";

  // Rows 4 up to 3 dragged and deleted.
  const POINT from = Cell(list, 4, 2);
  const POINT to = Cell(list, 3, 2);
  MoveTheMouse(from.x, from.y);
  PressTheMouse(true);
  MoveTheMouse(to.x, to.y);
  PressTheMouse(false);
  Click(ListButton(list, 1));
  records.erase(records.begin() + 2, records.begin() + 4);

  // By start, then by deadline (latest first): the two with the same
  // deadline keep the order the first sort gave them.
  Click(ListButton(list, 4));
  Click(ListButton(list, 5));
  records = {records[0], records[1], records[3], records[2], records[4]};
  // "显示未完成记录" unticked: the third row shown is the fourth record,
  // deleted; ticked again: the last record is shown once more.
  const POINT filter = TwipsPoint(list, 10560 + 100, 120 + 100);
  Click(filter);
  Click(Cell(list, 3, 2));
  Click(ListButton(list, 1));
  records.erase(records.begin() + 3);
  Click(filter);
  // Its content: Esc leaves it; a character GBK lacks is refused and said.
  Click(Cell(list, 4, 3), 2);
  ASSERT_TRUE(shown(true)) << "the last record is not shown again";
  TypeText(L"作废", editor);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(shown(false));
  Click(Cell(list, 4, 3), 2);
  ASSERT_TRUE(shown(true));
  TypeText(L"改过的内容", editor);
  TypeText(L"\U0001F600");
  HWND message = program.WaitWindow(L"Quillet");
  ASSERT_NE(message, nullptr) << "the refused character is not reported";
  EXPECT_EQ(ControlText(editor), L"改过的内容");
  ::PostMessageW(message, WM_CLOSE, 0, 0);
  ASSERT_TRUE(gone(message));
  Click(Cell(list, 1, 1));
  EXPECT_TRUE(shown(false));
  records[3].content = "改过的内容";
  SaveRedrawnScreenshot(list, L"journey-all-records");
  PressKey(VK_RETURN);  // the table has the focus: saved and closed
  ASSERT_TRUE(gone(list));
  EXPECT_EQ(ReadBytes(file), WorkFile(records));

  // All records opened again and the first one deleted.
  const auto deleteFirst = [&] {
    press(buttons[2]);
    list = program.WaitWindow(kListCaption);
    if (!list) return false;
    Click(Cell(list, 1, 2));
    Click(ListButton(list, 1));
    return true;
  };
  // Closed with "取 消 退 出": the file stays as it is.
  ASSERT_TRUE(deleteFirst());
  Click(ListButton(list, 8));
  ASSERT_TRUE(gone(list));
  EXPECT_EQ(ReadBytes(file), WorkFile(records));

  // The program ended with the list open (its "×" picture, pressed after
  // the delete) keeps the user's changes.
  ASSERT_TRUE(deleteFirst());
  Click(TwipsPoint(panel, 1300 + 150, 80 + 150));
  EXPECT_EQ(program.WaitExit(), 0);
  records.erase(records.begin());
  EXPECT_EQ(ReadBytes(file), WorkFile(records));
}

}  // namespace
}  // namespace quillet::test

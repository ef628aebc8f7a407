// The work records in the real program through real mouse and keyboard
// input: records added, changed, viewed, edited in place, deleted, sorted,
// filtered and saved (or not), checked in the record file byte for byte.
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
#include "win32/handles.h"
#include "worklog/work_record.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";
constexpr const wchar_t* kListCaption = L"\x3000我的工作记录表";
constexpr const wchar_t* kEditCaption = L"\x3000编辑工作记录";
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

POINT ListButton(HWND list, int index) {
  constexpr std::array<int, 9> kTops = {1320, 1700, 2080, 2480, 3000, 3390, 4200, 4600, 5010};
  return TwipsPoint(list, 10560 + 1695 / 2.0, kTops[static_cast<std::size_t>(index)] + 375 / 2.0);
}

TEST(WorkJourney, RecordsAddedChangedDeletedSortedAndSavedThroughTheWindows) {
  const std::string today = "2029-3-15";  // on the program's clock, whatever the wall clock says
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
  ProgramClock clock(install.folder() + L"\\clock.txt");
  ASSERT_TRUE(clock.Set(MakeDateTime({2029, 3, 15}, 12, 0, 0)));
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  // The panel's buttons, top to bottom: 0 today's work, 2 all records.
  std::vector<HWND> buttons = ChildWindows(panel);
  ASSERT_GE(buttons.size(), 8u);
  const auto gone = [](HWND window) { return WaitFor([=] { return !::IsWindow(window); }); };
  const auto box = [](HWND edit, double x, double y) { return ::WindowFromPoint(TwipsPoint(edit, x, y)); };
  const auto content = [&](HWND edit) { return box(edit, 120 + 300, 2040 + 300); };
  const auto type = [&](HWND edit) {  // the content box clicked and focused, for the keys
    Click(TwipsPoint(edit, 120 + 300, 2040 + 300));
    return WaitFor([&] { return FocusIn(edit) == content(edit); });
  };
  const auto action = [](HWND edit) { return TwipsPoint(edit, 5400 + 1215 / 2.0, 1920 + 375 / 2.0); };
  const auto message = [&] {
    HWND shown = program.WaitWindow(L"Quillet");
    if (shown) ::PostMessageW(shown, WM_CLOSE, 0, 0);
    return shown && gone(shown);
  };

  // Today's work, then the panel's button again: saved and closed as it was.
  ClickTheMouse(buttons[0]);
  HWND list = program.WaitWindow(kListCaption);
  ASSERT_NE(list, nullptr);
  SaveRedrawnScreenshot(list, L"journey-today");
  ClickTheMouse(buttons[0]);
  ASSERT_TRUE(gone(list)) << "the list stayed";
  EXPECT_EQ(ReadBytes(file), WorkFile(records));

  // "添加工作记录" (pressed again while open: nothing) refuses no content;
  // added: today 9:0 to 17:0.
  ClickTheMouse(buttons[1]);
  ASSERT_NE(list = program.WaitWindow(kListCaption), nullptr);
  HWND edit = program.WaitWindow(kEditCaption);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(WaitFor([&] { return FocusIn(edit) == content(edit); })) << "adding starts in the content box";
  ClickTheMouse(buttons[1]);
  Click(action(edit));
  EXPECT_TRUE(message()) << "no content, no word";
  ASSERT_TRUE(type(edit));
  TypeText(L"新的工作", content(edit));  // taken after the second press
  EXPECT_EQ(TopLevelWindows(program.Id(), kEditCaption).size(), 1u);
  EXPECT_FALSE(::IsWindowEnabled(list)) << "the list waits while the edit window is open";
  Click(action(edit));
  ASSERT_TRUE(gone(edit)) << "the record was not taken";
  EXPECT_TRUE(::IsWindowEnabled(list));
  records.push_back({today + " 9:0", today + " 17:0", "新的工作", "尚未完成", ""});

  // A double-click on a date changes the record: its state to "完成部分".
  Click(Cell(list, 1, 1), 2);
  ASSERT_NE(edit = program.WaitWindow(kEditCaption), nullptr);
  Click(TwipsPoint(edit, 5400 + 300, 3240 + 240 * 4 + 127));
  Click(action(edit));
  ASSERT_TRUE(gone(edit));
  records[0].state = "完成部分";

  // A content cell edited in place by a double-click, written back by a click elsewhere.
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

  // By start, then by deadline (latest first): a stable sort.
  Click(ListButton(list, 4));
  Click(ListButton(list, 5));
  records = {records[0], records[1], records[3], records[2], records[4]};
  // "显示未完成记录" unticked: the fourth record shown third, deleted; ticked: the last back.
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
  EXPECT_EQ(ControlText(editor), L"新的工作") << "Esc wrote the cell";
  TypeText(L"改过的内容", editor);
  TypeText(L"\U0001F600");
  EXPECT_TRUE(message()) << "the refused character is not told";
  EXPECT_EQ(ControlText(editor), L"改过的内容");
  Click(Cell(list, 1, 1));
  EXPECT_TRUE(shown(false));
  records[3].content = "改过的内容";
  SaveRedrawnScreenshot(list, L"journey-all-records");
  // Enter in the table saves and closes; a save a folder blocks is told, the list stays.
  const std::wstring blocker = file + L".saving";
  const std::string kept = ReadBytes(file);
  ASSERT_TRUE(::CreateDirectoryW(blocker.c_str(), nullptr));
  PressKey(VK_RETURN);
  EXPECT_TRUE(message()) << "the failed save is not told";
  ::RemoveDirectoryW(blocker.c_str());
  EXPECT_EQ(ReadBytes(file), kept);
  Click(Cell(list, 2, 2));  // not where the last click was: no double-click
  ASSERT_TRUE(shown(false));
  PressKey(VK_RETURN);
  ASSERT_TRUE(gone(list));
  EXPECT_EQ(ReadBytes(file), WorkFile(records));

  // A record the lists cannot show added to the file; the first one viewed, then deleted.
  records.push_back({"1999-03-09 09:00", "garbage", "旧任务戊", "尚未完成", ""});
  ASSERT_TRUE(WriteBytes(file, WorkFile(records)));
  ClickTheMouse(buttons[2]);
  ASSERT_NE(list = program.WaitWindow(kListCaption), nullptr);
  Click(Cell(list, 1, 2));
  Click(ListButton(list, 0));  // "查看记录": the record, no action button
  ASSERT_NE(edit = program.WaitWindow(kEditCaption), nullptr);
  EXPECT_TRUE(WaitFor([&] { return ControlText(content(edit)) == L"晨会"; }));
  HWND none = ::ChildWindowFromPoint(edit, TwipsPoint(edit, 5400 + 600, 1920 + 190, false));
  EXPECT_TRUE(none != edit && !::IsWindowVisible(none)) << "an action button in view mode";
  PressKey(VK_ESCAPE);  // as "取　　消"
  ASSERT_TRUE(gone(edit));
  Click(Cell(list, 1, 2));
  Click(ListButton(list, 1));
  // Closed with "取 消 退 出": the file stays as it is.
  Click(ListButton(list, 8));
  ASSERT_TRUE(gone(list));
  EXPECT_EQ(ReadBytes(file), WorkFile(records));

  // That record saved (Enter) unchanged stays as it was; the first deleted; the
  // program ended (its "×" picture) with the list open keeps the changes.
  ClickTheMouse(buttons[2]);
  ASSERT_NE(list = program.WaitWindow(kListCaption), nullptr);
  Click(Cell(list, 5, 1), 2);
  ASSERT_NE(edit = program.WaitWindow(kEditCaption), nullptr);
  EXPECT_EQ(ControlText(box(edit, 4920 + 300, 840 + 135)) + L"|" + ControlText(box(edit, 4920 + 300, 1440 + 135)),
            L"1999-03-09 09:00|garbage");
  ASSERT_TRUE(type(edit));
  PressKey(VK_RETURN);
  ASSERT_TRUE(gone(edit)) << "Enter did not save";
  Click(Cell(list, 1, 2));
  Click(ListButton(list, 1));
  Click(TwipsPoint(panel, 1300 + 150, 80 + 150));
  HWND question = program.WaitWindow(L"Quillet");  // "是否保存对工作记录的修改？": 是
  ASSERT_NE(question, nullptr);
  ClickTheMouse(ChildWindows(question)[0]);
  EXPECT_EQ(program.WaitExit(), 0);
  records.erase(records.begin());
  EXPECT_EQ(ReadBytes(file), WorkFile(records));

  // Another program adds records while the list is open: "保 存 退 出" asks.
  // 取消 keeps both sides, 重新载入 drops the deletion, 保存我的修改 saves it
  // and keeps the other version beside the file.
  Process again(install);
  ASSERT_NE(panel = again.WaitWindow(kPanelCaption), nullptr);
  ClickTheMouse(ChildWindows(panel)[2]);
  ASSERT_NE(list = again.WaitWindow(kListCaption), nullptr);
  // The first row deleted, the file written by "another program", "保 存 退 出", the answer.
  const auto race = [&](const std::vector<WorkRecord>& written, std::size_t answer) {
    Click(Cell(list, 1, 2));
    Click(ListButton(list, 1));
    if (!WriteBytes(file, WorkFile(written))) return false;
    Click(ListButton(list, 7));
    HWND asked = again.WaitWindow(L"Quillet");
    std::vector<HWND> answers;
    if (!asked || !WaitFor([&] { return (answers = ChildWindows(asked)).size() == 3; })) return false;
    ClickTheMouse(answers[answer]);
    return gone(asked);
  };
  std::vector<WorkRecord> theirs = records;
  theirs.push_back({"2029-3-15 13:0", "2029-3-15 14:0", "新的工作", "尚未完成", ""});
  ASSERT_TRUE(race(theirs, 2));
  Click(ListButton(list, 7));  // 取消 left both sides as they were: asked again
  HWND asked = again.WaitWindow(L"Quillet");
  ASSERT_NE(asked, nullptr);
  ClickTheMouse(ChildWindows(asked)[1]);
  ASSERT_TRUE(gone(asked));
  EXPECT_EQ(ReadBytes(file), WorkFile(theirs));
  std::vector<WorkRecord> later = theirs;
  later.push_back({"2029-3-15 15:0", "2029-3-15 16:0", "改过的内容", "尚未完成", ""});
  ASSERT_TRUE(race(later, 0));
  ASSERT_TRUE(gone(list));
  theirs.erase(theirs.begin());
  EXPECT_EQ(ReadBytes(file), WorkFile(theirs));
  WIN32_FIND_DATAW found{};
  win::FileSearch other(::FindFirstFileW((file + L".其他版本-20290315-*").c_str(), &found));
  ASSERT_TRUE(other.get() != INVALID_HANDLE_VALUE) << "no other version kept";
  EXPECT_EQ(ReadBytes(install.folder() + L"\\" + found.cFileName), WorkFile(later));

  // Unsaved changes and a way out other than the two buttons: "是否保存对工作记录的修改？". Alt+F4
  // and 取消 keep the list, Esc and 否 close it unsaved, the panel's button and 是 save and close it.
  const auto change = [&](const auto& close, std::size_t answer) {
    if (!list || !::IsWindow(list)) {
      ClickTheMouse(ChildWindows(panel)[2]);
      list = again.WaitWindow(kListCaption);
      if (!list) return false;
    }
    Click(Cell(list, 1, 2));
    Click(ListButton(list, 1));
    close();
    HWND dialog = again.WaitWindow(L"Quillet");
    if (!dialog) return false;
    ClickTheMouse(ChildWindows(dialog)[answer]);
    return gone(dialog);
  };
  ASSERT_TRUE(change([] { PressKey(VK_F4, false, false, true); }, 2));
  EXPECT_TRUE(::IsWindowVisible(list));
  ASSERT_TRUE(change([] { PressKey(VK_ESCAPE); }, 1));
  ASSERT_TRUE(gone(list));
  EXPECT_EQ(ReadBytes(file), WorkFile(theirs));
  ASSERT_TRUE(change([&] { ClickTheMouse(ChildWindows(panel)[2]); }, 0));
  ASSERT_TRUE(gone(list));
  theirs.erase(theirs.begin());
  EXPECT_EQ(ReadBytes(file), WorkFile(theirs));
  // The session ends (once the question shows the change was taken): no time to ask, it is saved.
  ASSERT_TRUE(change([] { PressKey(VK_ESCAPE); }, 2));
  ::PostMessageW(panel, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(again.WaitExit(), 0);
  theirs.erase(theirs.begin());
  EXPECT_EQ(ReadBytes(file), WorkFile(theirs));
}

}  // namespace
}  // namespace quillet::test

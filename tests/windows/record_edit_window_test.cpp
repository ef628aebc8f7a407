// The record edit window over the list window, in this process: add, change
// and view records with real keys; the messages.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/message_window.h"
#include "forms/skin.h"
#include "forms/text_input_win.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"
#include "worklog/record_edit_window.h"
#include "worklog/work_list_window.h"

namespace quillet::test {
namespace {

// The message dialog's text once it is shown, closing it.
std::string TakeMessage() {
  const bool shown = WaitFor([] { return TheForm<MessageWindow>().IsShown(); });
  std::string text = shown ? TheForm<MessageWindow>().Text() : "(no message)";
  TheForm<MessageWindow>().Unload();
  return text;
}

class RecordEditTest : public ShellFixture {
 protected:
  void OpenList(bool todayOnly) {
    Parameters[kParamDataFolder] = win::Narrow(folder_.path());
    TodayOnly = todayOnly ? -1 : 0;
    ASSERT_TRUE(list_.Load());
    list_.Show();
  }
  // Opens the editor as the list window does; a screenshot when named.
  void Open(const char* mode, int row, const wchar_t* name = nullptr) {
    EditMode = mode;
    SelectedRow = row;
    OpenRecordEditor();
    ASSERT_TRUE(editor_.IsShown());
    EXPECT_FALSE(::IsWindowEnabled(list_.hwnd()));
    ::SetForegroundWindow(editor_.hwnd());
    if (!name) return;
    SaveRedrawnScreenshot(editor_.hwnd(),
                          std::wstring(L"record-edit-") + name + L"-" + std::to_wstring(editor_.Dpi()) + L"dpi");
  }
  // The editor gone (saved, or closed), and the list usable again.
  bool Closed() { return WaitFor([&] { return !editor_.IsLoaded() && ::IsWindowEnabled(list_.hwnd()); }); }
  void Focus(const char* name, int index) { ::SetFocus(editor_.ControlWindow(name, index)); }

  WorkListWindow& list_ = TheForm<WorkListWindow>();
  RecordEditWindow& editor_ = TheForm<RecordEditWindow>();
};

TEST_F(RecordEditTest, AddChangeAndViewThroughTheListWindowsTable) {
  ASSERT_TRUE(WriteBytes(folder_.File(L"schedule.dat"),
                         DataFile({"2005-3-9 9:0", "2005-3-9 17:0", "内容一", "尚未完成", "备注",
                                   "1999-03-09 09:00", "garbage", "内容二", "其他", ""})));
  OpenList(false);
  TableModel& table = list_.Table();
  ASSERT_EQ(table.Rows(), 3);

  // Add: today 9:0 to 17:0, "尚未完成"; empty content is refused.
  Open(kAddRecordMode, 0, L"add");
  // The frame's surface, left of the options, in the darkened colour.
  EXPECT_EQ(CaptureWindow(editor_.hwnd()).At(editor_.Px(5400) - 2, editor_.Px(3800)),
            DarkenColour(DarkenColour(CurrentSkin().background, 65), 15));
  const CivilDate now = list_.Context().today;
  const std::string today =
      std::to_string(now.year) + "-" + std::to_string(now.month) + "-" + std::to_string(now.day);
  EXPECT_EQ(WindowText(editor_.ControlWindow("Txt", 1)), today + " 17:0");
  editor_.ClickButton("Pic", 5);
  EXPECT_EQ(TakeMessage(), "您没有填写任何工作内容，请重新填写！");

  ::SetForegroundWindow(editor_.hwnd());
  Focus("Txt", 2);
  TypeText(L"新\"", editor_.ControlWindow("Txt", 2));

  // Start after the deadline (a day apart); typing into a list is
  // discarded; Enter in a list takes its entry and saves.
  Focus("Cmb", 3);
  PressKey('7');
  EXPECT_EQ(editor_.StartText(), today + " 9:0");
  const bool firstDay = now.day == 1;
  Focus("Cmb", firstDay ? 2 : 7);
  PressKey(firstDay ? VK_DOWN : VK_UP);
  PressKey(VK_RETURN);
  EXPECT_EQ(TakeMessage(), "您填写的工作任务，开始时间晚于截止时间，请重新填写！");
  ::SetForegroundWindow(editor_.hwnd());
  Focus("Cmb", firstDay ? 2 : 7);
  PressKey(firstDay ? VK_UP : VK_DOWN);
  Focus("Opn", 3);
  PressKey(VK_SPACE);
  PressKey(VK_RETURN);
  ASSERT_TRUE(Closed());
  ASSERT_EQ(table.Rows(), 4);
  EXPECT_EQ(table.TextMatrix(3, 1) + table.TextMatrix(3, 3) + table.TextMatrix(3, 4),
            today + " 9:0新\"因故延期");
  EXPECT_EQ(table.ForeColorAt(3, 2), ColourFromText(Parameters[12]));
  EXPECT_EQ(table.Row(), 3) << "the new row is made current";

  // Change a record whose texts the lists cannot show: nothing of it moves
  // when saved without a change.
  Open(kChangeRecordMode, 2, L"change");
  EXPECT_EQ(WindowText(editor_.ControlWindow("Txt", 0)) + "|" + editor_.DeadlineText(),
            "1999-03-09 09:00|garbage");
  EXPECT_EQ(::SendMessageW(editor_.ControlWindow("Cmb", 0), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(WindowText(editor_.ControlWindow("Cmb", 1)), "3");
  Focus("Txt", 4);
  PressKey(VK_RETURN);
  ASSERT_TRUE(Closed());
  EXPECT_EQ(table.TextMatrix(2, 1) + "|" + table.TextMatrix(2, 2) + "|" + table.TextMatrix(2, 4),
            "1999-03-09 09:00|garbage|其他");

  // View: no action button, Enter does nothing (the key handled, the
  // window stays), cancel closes.
  Open(kViewRecordMode, 1, L"view");
  EXPECT_FALSE(::IsWindowVisible(editor_.ControlWindow("Pic", 5)));
  Focus("Txt", 2);
  PressKey(VK_RETURN);
  DrainMessages();
  ASSERT_TRUE(editor_.IsLoaded()) << "nothing to save in view mode";
  editor_.ClickButton("Pic", 6);
  EXPECT_TRUE(Closed());

  // Closed from outside: the list's "保 存 退 出" (the panel's buttons run
  // it too) closes it; the save failing, the list stays, usable.
  Open(kChangeRecordMode, 1);
  Parameters[kParamDataFolder] += "\\没有的文件夹";
  list_.ClickButton("Pic", 7);
  EXPECT_TRUE(Closed() && list_.IsLoaded());
  EXPECT_NE(TakeMessage().find("没有的文件夹\\schedule.dat"), std::string::npos);

  // Today mode: a record not started today goes in hidden, and is told.
  list_.Action(8);
  OpenList(true);
  Open(kAddRecordMode, 0);
  ::SetWindowTextW(editor_.ControlWindow("Txt", 4), L"x");
  Focus("Cmb", 0);
  PressKey(VK_HOME);  // the year 2000
  editor_.ClickButton("Pic", 5);
  EXPECT_NE(TakeMessage().find("只能在“全部工作记录”表中显示"), std::string::npos);
  ASSERT_EQ(list_.Table().Rows(), 4);
  EXPECT_EQ(list_.Table().RowHeight(3), 0);
}

}  // namespace
}  // namespace quillet::test

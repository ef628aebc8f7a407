// The installed program as a user meets it, run by tools/release-check.sh
// in a Wine prefix where the built setup has installed it: the Start-menu
// shortcut and the Apps-list entry lead to it, then through real input a
// work record is added and a reminder is set for 10:05 on a clock the test
// moves, which comes due; the uninstaller refuses while the program runs;
// the program is closed.
// QUILLET_EXPECTED_VERSION names the version the setup claims.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/date_time_text.h"
#include "base/table_model.h"
#include "base/units.h"
#include "reminders/reminder.h"
#include "reminders/reminder_editing.h"
#include "settings/default_settings.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillet";

std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// The target of the Start-menu shortcut.
std::wstring ShortcutTarget() {
  IShellLinkW* link = nullptr;
  std::wstring target;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
    return target;
  }
  IPersistFile* file = nullptr;
  const std::wstring lnk = Folder(CSIDL_PROGRAMS) + L"\\Quillet.lnk";
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(lnk.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
      target = path;
    }
    file->Release();
  }
  link->Release();
  return target;
}

std::wstring UninstallValue(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return L"(none)";
  }
  return value;
}

std::wstring FileVersion(const std::wstring& path) {
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), nullptr);
  std::string block(size, '\0');
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!size || !::GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
      !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length)) {
    return L"(none)";
  }
  return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
         std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
         std::to_wstring(HIWORD(info->dwFileVersionLS));
}

const std::wstring kInstalled = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Quillet";

TEST(Installed, TheShortcutAndTheAppsEntryLeadToTheProgramOfThisVersion) {
  const std::wstring version = win::Widen(std::getenv("QUILLET_EXPECTED_VERSION"));
  EXPECT_EQ(ShortcutTarget(), kInstalled + L"\\quillet.exe");
  EXPECT_EQ(UninstallValue(L"DisplayVersion"), version);
  EXPECT_EQ(UninstallValue(L"DisplayIcon"), kInstalled + L"\\quillet.exe,0");
  EXPECT_EQ(UninstallValue(L"QuietUninstallString"), L"\"" + kInstalled + L"\\uninstall.exe\" /S");
  DWORD kb = 0, size = sizeof kb;
  ::RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize", RRF_RT_REG_DWORD, nullptr, &kb,
                 &size);
  EXPECT_GT(kb, 500u) << "the size of the installed files, in KB";
  EXPECT_EQ(FileVersion(kInstalled + L"\\quillet.exe"), version);
  EXPECT_EQ(FileVersion(kInstalled + L"\\Lantoc.dll"), version);
}

// The reminder window of another process, seen through a copy of its table
// kept in step here: where a cell is, and which entry of a cell's list to
// take.
struct ReminderWindow {
  HWND window;
  TableModel table;

  POINT Cell(int row, int col) const {
    int x = 0, y = 0;
    for (int c = 0; c < col; ++c) x += table.ColWidth(c);
    for (int r = 0; r < row; ++r) y += table.RowHeight(r);
    POINT p{TwipsToPixels(x + table.ColWidth(col) / 2.0, 96), TwipsToPixels(y + table.RowHeight(row) / 2.0, 96)};
    ::ClientToScreen(::FindWindowExW(window, nullptr, L"QuilletGrid", nullptr), &p);
    return p;
  }
  // Double-clicks the cell, drops its list down with a click on the arrow,
  // walks to the entry with the arrow keys and takes it with Enter; Enter
  // again closes the editor. The keys go to another process: what they did
  // is waited for.
  void Choose(int row, int col, const std::string& text, int year) {
    const std::vector<std::string> entries = ReminderChoices(table, row, col, year);
    const auto target = std::find(entries.begin(), entries.end(), text) - entries.begin();
    ASSERT_LT(static_cast<std::size_t>(target), entries.size()) << text;
    const POINT cell = Cell(row, col);
    ClickTheMouse(cell.x, cell.y, 2);
    HWND box = ::FindWindowExW(window, nullptr, L"ComboBox", nullptr);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(box) != FALSE; }));
    RECT r{};
    ::GetWindowRect(box, &r);
    ClickTheMouse(r.right - 6, (r.top + r.bottom) / 2, 1);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    for (LRESULT at = ::SendMessageW(box, CB_GETCURSEL, 0, 0); at != target; at += at < target ? 1 : -1) {
      PressKey(at < target ? VK_DOWN : VK_UP);
    }
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(box, CB_GETCURSEL, 0, 0) == target; })) << text;
    PressKey(VK_RETURN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(box); })) << "the cell's editor stayed open";
    table.SetTextMatrix(row, col, text);
  }
};

TEST(Installed, ARecordIsAddedAndAReminderComesDueThenTheProgramCloses) {
  const std::wstring exe = ShortcutTarget();
  ASSERT_FALSE(exe.empty());
  // The user's settings: the panel kept in place (no docking at the edge).
  ASSERT_TRUE(WriteBytes(kInstalled + L"\\paramter.dat", EncodeCp936(FormatParameters(PanelSettings(3000, 1500))).bytes));
  // Started as the shortcut starts it: in its own folder, on a clock the
  // journey moves, in a day of its own. A failed step ends it.
  ProgramClock clock(ArtifactDir() + L"\\release-clock.txt");
  const CivilDate today{2030, 6, 15};
  ASSERT_TRUE(clock.Set(MakeDateTime(today, 9, 0, 0)));
  Process program(exe, kInstalled);
  HWND panel = program.WaitWindow(L"\x3000Quillet");
  ASSERT_NE(panel, nullptr);
  std::vector<HWND> buttons;
  WaitFor([&] { return (buttons = ChildWindows(panel)).size() >= 8; }, kStartWait);
  ASSERT_GE(buttons.size(), 8u);
  SaveRedrawnScreenshot(panel, L"release-panel");

  // "添加工作记录": the edit window over all records; a content typed, 确定,
  // then the list saved and closed.
  ClickTheMouse(buttons[1]);
  HWND list = program.WaitWindow(L"\x3000我的工作记录表");
  HWND edit = program.WaitWindow(L"\x3000编辑工作记录");
  ASSERT_TRUE(list && edit);
  const POINT content = TwipsPoint(edit, 120 + 5055 / 2.0, 2040 + 855 / 2.0);
  ClickTheMouse(content.x, content.y, 1);
  TypeText(L"发布检查的记录");
  ASSERT_TRUE(WaitFor([&] { return ControlText(FocusIn(edit)) == L"发布检查的记录"; })) << "the typing never reached the box";
  const POINT ok = TwipsPoint(edit, 5400 + 1215 / 2.0, 1920 + 375 / 2.0);
  ClickTheMouse(ok.x, ok.y, 1);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(edit); }));
  const POINT save = TwipsPoint(list, 10560 + 1695 / 2.0, 4600 + 375 / 2.0);
  ClickTheMouse(save.x, save.y, 1);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(list); }));
  EXPECT_NE(ReadBytes(kInstalled + L"\\schedule.dat").find("\xb7\xa2\xb2\xbc\xbc\xec\xb2\xe9\xb5\xc4\xbc\xc7\xc2\xbc"),
            std::string::npos) << "发布检查的记录 in code page 936";

  // "定期提醒设置": a reminder added at 10:00, its start moved from
  // tomorrow to 10:05 today, saved; the clock then jumps to 10:05 and the
  // due check brings it.
  ASSERT_TRUE(clock.Set(MakeDateTime(today, 10, 0, 0)));
  ClickTheMouse(buttons[3]);
  ReminderWindow reminders{program.WaitWindow(L"定时提醒设置"), {}};
  ASSERT_NE(reminders.window, nullptr);
  const POINT add = TwipsPoint(reminders.window, 360 + 2055 / 2.0, 4560 + 465 / 2.0);
  ClickTheMouse(add.x, add.y, 1);
  SetUpReminderTable(reminders.table);
  const int row = AddReminderRow(reminders.table, clock.Now());
  const POINT what = reminders.Cell(row, kContentCol);
  ClickTheMouse(what.x, what.y, 2);
  TypeText(L"发布检查的提醒");  // written when the next cell is chosen
  ASSERT_TRUE(WaitFor([&] { return ControlText(FocusIn(reminders.window)) == L"发布检查的提醒"; }));
  const int parts[] = {today.year, today.month, today.day, 10, 5};
  for (int i = 0; i < 5; ++i) {
    const int col = i < 3 ? kYearCol + i : i == 3 ? kHourCol : kMinuteCol;
    if (reminders.table.TextMatrix(row, col) != std::to_string(parts[i])) {
      reminders.Choose(row, col, std::to_string(parts[i]), today.year);
    }
  }
  SaveRedrawnScreenshot(reminders.window, L"release-reminders");
  const POINT keep = TwipsPoint(reminders.window, 6360 + 2055 / 2.0, 4560 + 465 / 2.0);
  ClickTheMouse(keep.x, keep.y, 1);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(reminders.window); }));
  const std::string timer = ReadBytes(kInstalled + L"\\timer.dat");
  EXPECT_NE(timer.find("2030-6-15 10:05:00"), std::string::npos);
  EXPECT_NE(timer.find("\xb7\xa2\xb2\xbc\xbc\xec\xb2\xe9\xb5\xc4\xcc\xe1\xd0\xd1"), std::string::npos)
      << "发布检查的提醒 in code page 936";

  // The reminder pops up once its minute has come; closed with its button.
  ASSERT_TRUE(clock.Set(MakeDateTime(today, 10, 5, 0)));
  HWND popup = program.WaitWindow(L"\x3000定时器");
  ASSERT_NE(popup, nullptr) << "the reminder did not come";
  SaveRedrawnScreenshot(popup, L"release-reminder");
  ::PostMessageW(popup, WM_CLOSE, 0, 0);

  // While it runs the uninstaller refuses (exit code 2) and removes nothing.
  const std::wstring log = ArtifactDir() + L"\\release-uninstall.txt";
  EXPECT_EQ(RunCaptured(L"\"" + kInstalled + L"\\uninstall.exe\" /S _?=" + kInstalled, log), 2);
  EXPECT_EQ(::GetFileAttributesW(exe.c_str()) != INVALID_FILE_ATTRIBUTES, true);

  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(), 0);
}

}  // namespace
}  // namespace quillet::test

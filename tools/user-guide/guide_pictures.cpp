// The pictures of the user guide (docs/pictures, `make screenshots`): the
// real program in a folder of its own with a few work records and a
// reminder about to come due, each window reached as a user reaches it
// from the panel's buttons and saved as name.png in QUILLET_ARTIFACT_DIR.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/date_time_text.h"
#include "base/record_file.h"
#include "reminders/reminder.h"
#include "settings/default_settings.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"
#include "worklog/work_record.h"

namespace quillet::test {
namespace {

std::string Today(int hour) {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return std::to_string(t.wYear) + "-" + std::to_string(t.wMonth) + "-" + std::to_string(t.wDay) +
         " " + std::to_string(hour) + ":0";
}

// The visible windows of the program other than these.
std::vector<HWND> NewWindows(const Process& program, const std::vector<HWND>& known) {
  std::vector<HWND> found;
  for (HWND hwnd : TopLevelWindows(program.Id())) {
    if (::IsWindowVisible(hwnd) && std::find(known.begin(), known.end(), hwnd) == known.end()) {
      found.push_back(hwnd);
    }
  }
  return found;
}

void CloseAll(const std::vector<HWND>& windows) {
  for (HWND hwnd : windows) ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  WaitFor([&] {
    return std::none_of(windows.begin(), windows.end(),
                        [](HWND hwnd) { return ::IsWindow(hwnd) && ::IsWindowVisible(hwnd); });
  });
}

TEST(GuidePictures, EveryWindowOfTheProgram) {
  ParameterItems settings = DefaultSettings("");
  settings[kParamDocking] = "0";
  settings[kParamPanelLeft] = "16800";  // at the right, clear of the windows
  settings[kParamPanelTop] = "1500";
  Installation install(settings, L"Quillet");
  for (const wchar_t* name : {L"Holiday.dat", L"Code-licences.txt", L"reminder-chime.wav"}) {
    ::CopyFileW((BinDir() + L"\\" + name).c_str(), (install.folder() + L"\\" + name).c_str(), FALSE);
  }
  std::string records;
  for (const WorkRecord& r : std::vector<WorkRecord>{
           {Today(9), Today(11), "整理季度报表", "完成部分", "等财务数据"},
           {Today(14), Today(17), "给客户回电话", "尚未完成", ""},
           {"2006-5-8 9:0", "2006-5-12 17:0", "准备年会材料", "因故延期", "改到下月"}}) {
    for (int f = 0; f < WorkRecord::kFieldCount; ++f) AppendDataField(records, r.Field(f));
  }
  ASSERT_TRUE(WriteBytes(install.folder() + L"\\schedule.dat", EncodeCp936(records).bytes));
  // A meeting a few seconds ahead, and the plan written every morning.
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  const auto reminder = [](const std::string& content, const DateTime& at, std::string_view repeat,
                           std::string_view prompt, const DateTime& next) {
    Reminder r;
    r[Reminder::kContent] = content;
    const CivilDate day = DateOf(at);
    const std::int64_t seconds = at.second;
    const std::int64_t parts[] = {day.year, day.month, day.day, seconds / 3600, seconds / 60 % 60, seconds % 60};
    for (int i = 0; i < 6; ++i) r[Reminder::kYear + i] = std::to_string(parts[i]);
    r[Reminder::kRepeat] = repeat;
    r[Reminder::kPrompt] = prompt;
    r[Reminder::kNextDue] = FormatNextDueText(next);
    return r;
  };
  const DateTime meeting = BuildDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond + 4);
  const std::vector<Reminder> reminders{
      reminder("下午三点在三楼会议室开会，带上本季度的工作记录。", meeting, kRepeatOnce, kPromptWindowOnly, meeting),
      reminder("写今天的工作计划", BuildDateTime(t.wYear, 1, 5, 8, 30, 0), kRepeatDaily, kPromptSoundAndWindow,
               BuildDateTime(t.wYear, t.wMonth, t.wDay + 1, 8, 30, 0))};
  ASSERT_TRUE(WriteBytes(install.folder() + L"\\timer.dat", EncodeCp936(FormatReminders(reminders)).bytes));

  Process program(install);
  HWND panel = program.WaitWindow(L"\x3000Quillet");
  ASSERT_NE(panel, nullptr);
  std::vector<HWND> buttons;
  WaitFor([&] { return (buttons = ChildWindows(panel)).size() >= 8; });
  ASSERT_GE(buttons.size(), 8u);

  // The reminder first: it comes a few seconds after the start.
  HWND popup = nullptr;
  WaitFor([&] { return (popup = program.Window(L"\x3000定时器")) != nullptr; }, std::chrono::seconds(12));
  ASSERT_NE(popup, nullptr);
  SaveRedrawnScreenshot(popup, L"reminder-popup");
  CloseAll({popup});
  SaveRedrawnScreenshot(panel, L"panel");

  // Each button, by its index on the panel, and the pictures of the windows
  // it opens (the newest last).
  const std::pair<int, std::vector<const wchar_t*>> kButtons[] = {
      {1, {L"work-list", L"work-edit"}}, {3, {L"reminder-settings"}}, {4, {L"calendar"}},
      {5, {L"lookup"}},                  {6, {L"settings"}},          {7, {L"about"}}};
  for (const auto& [index, names] : kButtons) {
    ClickTheMouse(buttons[static_cast<std::size_t>(index)]);
    std::vector<HWND> opened;
    WaitFor([&] { return (opened = NewWindows(program, {panel})).size() >= names.size(); },
            std::chrono::seconds(5));
    if (opened.size() < names.size()) {
      // A window the program does not have yet: no picture, said aloud.
      std::printf("guide-pictures: button %d opened %zu of %zu windows\n", index, opened.size(),
                  names.size());
      CloseAll(opened);
      continue;
    }
    if (index == 5) {
      // The look-up with a search done: a keyword typed and Enter.
      TypeText(L"杭州");
      PressKey(VK_RETURN);
    }
    // Newest first, each closed after its picture: the window it opened
    // over another is seen alone on it, then the one below.
    for (std::size_t i = names.size(); i-- > 0;) {
      SaveRedrawnScreenshot(opened[names.size() - 1 - i], names[i]);
      if (i > 0) CloseAll({opened[names.size() - 1 - i]});
    }
    if (index == 7) {
      // The about page's 帮助 opens the help viewer.
      const POINT button = TwipsPoint(opened.back(), 2160 + 1335 / 2.0, 2280 + 450 / 2.0);
      ClickTheMouse(button.x, button.y);
      std::vector<HWND> help;
      if (WaitFor([&] { return !(help = NewWindows(program, {panel, opened.back()})).empty(); },
                  std::chrono::seconds(5))) {
        SaveRedrawnScreenshot(help[0], L"help");
      }
      CloseAll(help);
    }
    CloseAll(opened);
  }
  // The tray icon's menu (Wine under Xvfb shows no icon to click: the
  // shell's right-click message goes to the panel), then its first export's
  // save dialog.
  const POINT tray = TwipsPoint(panel, 1050 + 150, 80 + 150);
  ClickTheMouse(tray.x, tray.y);
  WaitFor([&] { return !::IsWindowVisible(panel); });
  HWND menu = nullptr;
  for (int tries = 0; tries < 3 && !menu; ++tries) {
    ::PostMessageW(panel, 2025 /* the icon's callback message */, 999933, WM_RBUTTONUP);
    WaitFor([&] {
      for (HWND w : NewWindows(program, {panel})) {
        wchar_t cls[16] = {};
        ::GetClassNameW(w, cls, 16);
        if (std::wstring(cls) == L"#32768") menu = w;
      }
      return menu != nullptr;
    }, std::chrono::seconds(5));
  }
  ASSERT_NE(menu, nullptr);
  WaitFor([&] { return ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr) ==
                       ::GetWindowThreadProcessId(menu, nullptr); });
  PressKey(VK_DOWN);  // the first item lit, as under the pointer
  SaveRedrawnScreenshot(menu, L"tray-menu");
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);  // 导出工作记录…
  HWND dialog = program.WaitWindow(L"导出工作记录");
  // The system's dialog is drawn where a window capture under Wine sees
  // black: the script that runs this tool takes it from the X screen. Its
  // rectangle goes into export-dialog.ready; the picture is awaited.
  ASSERT_NE(dialog, nullptr);
  RECT r{};
  ::GetWindowRect(dialog, &r);
  const std::wstring folder = win::Widen(std::getenv("QUILLET_ARTIFACT_DIR") ? std::getenv("QUILLET_ARTIFACT_DIR") : ".");
  const std::string rect = std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
                           std::to_string(r.left) + "+" + std::to_string(r.top);
  ASSERT_TRUE(WriteBytes(folder + L"/export-dialog.ready", rect));
  EXPECT_TRUE(WaitFor([&] { return ::GetFileAttributesW((folder + L"/export-dialog.png").c_str()) != INVALID_FILE_ATTRIBUTES; }))
      << "the screen's picture of the dialog never came";
  CloseAll({dialog});
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(10000), 0);
}

}  // namespace
}  // namespace quillet::test

// The real program for QUILLET_SOAK_MINUTES (30): every window opened and closed over
// and over, 10,000 records, reminders. Once a minute its GDI objects, windows and private
// memory go into QUILLET_SOAK_DIR\program_soak.csv; from the fifth minute none may grow by 2 %.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kList = L"\x3000我的工作记录表";
constexpr const wchar_t* kPopup = L"\x3000定时器";
constexpr const wchar_t* kWindows[] = {kList, L"\x3000编辑工作记录", L"定时提醒设置", L"\x3000Tamber日历",
                                       L"\x3000邮编区号查询", L"\x3000个人设置", L"\x3000版权说明", L"\x3000帮助", kPopup};

void PostClick(HWND window, POINT p) {
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// A click posted to the control at (x, y) twips of a window's client area.
void PostClickAt(HWND window, double x, double y) {
  POINT p = TwipsPoint(window, x, y, false);
  HWND target = ::ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE);
  ::MapWindowPoints(window, target, &p, 1);
  PostClick(target, p);
}

// Private memory (kB) of a Wine program's Linux process, without SysV segments (X11 images).
long PrivateKb(const std::string& exe) {
  static std::wstring smaps;
  WIN32_FIND_DATAW found{};
  HANDLE find = smaps.empty() ? ::FindFirstFileW(L"Z:\\proc\\*", &found) : INVALID_HANDLE_VALUE;
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &found)) {
    const std::wstring dir = std::wstring(L"Z:\\proc\\") + found.cFileName;
    if (found.cFileName[0] >= L'0' && found.cFileName[0] <= L'9' && ReadBytes(dir + L"\\cmdline").find(exe) == 0) {
      smaps = dir + L"\\smaps";
    }
  }
  if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  const std::string text = ReadBytes(smaps);
  long kb = -1;
  bool shared = false;
  for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
    end = std::min(text.find('\n', at), text.size());
    const std::string line = text.substr(at, end - at);
    const std::size_t space = line.find(' ');
    if (space != std::string::npos && line.find('-') < space) {  // a mapping's first line
      shared = line.find("/SYSV") != std::string::npos;
    } else if (!shared && (line.rfind("Private_Clean:", 0) == 0 || line.rfind("Private_Dirty:", 0) == 0)) {
      kb = std::max(kb, 0L) + std::strtol(line.c_str() + 14, nullptr, 10);
    }
  }
  return kb;
}

int WindowCount(DWORD pid) {  // top-level windows and all their descendants
  int count = 0;
  for (HWND top : TopLevelWindows(pid)) count += 1 + static_cast<int>(ChildWindows(top).size());
  return count;
}

struct Sample { double minutes; int rounds, reminders, gdiObjects, windows; long privateKb; };

TEST(ProgramSoak, WindowsRemindersAndSettingsOverAndOverLeakNothing) {
  const char* env = std::getenv("QUILLET_SOAK_MINUTES");
  const int minutes = std::max(1, env ? std::atoi(env) : 30);
  Installation install(PanelSettings(0, 0));  // clear of the centred windows
  ASSERT_TRUE(WriteBytes(install.folder() + L"\\schedule.dat", WorkFile(WorkRecords(10000))));
  ::CopyFileW((BinDir() + L"\\Holiday.dat").c_str(), (install.folder() + L"\\Holiday.dat").c_str(), FALSE);
  Process program(install);
  HWND panel = program.WaitWindow(L"\x3000Quillet");
  ASSERT_NE(panel, nullptr);
  const std::vector<HWND> buttons = ChildWindows(panel);
  ASSERT_GE(buttons.size(), 8u);
  win::KernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.Id()));

  int rounds = 0, fired = 0;
  bool armed = false;  // a reminder is due and its pop-up not yet closed
  const auto press = [&](int index) {
    HWND button = buttons[static_cast<std::size_t>(index)];
    RECT r{};
    ::GetClientRect(button, &r);
    rounds % 10 ? PostClick(button, POINT{r.right / 2, r.bottom / 2}) : ClickTheMouse(button);
  };
  // A panel button (none: -1) pressed, then the window awaited, or its going.
  const auto open = [&](int button, const wchar_t* caption) {
    if (button >= 0) press(button);
    HWND window = program.WaitWindow(caption);
    EXPECT_NE(window, nullptr) << win::Narrow(caption) << " in round " << rounds;
    return window;
  };
  const auto close = [&](int button, const wchar_t* caption) {
    if (button >= 0) press(button);
    EXPECT_TRUE(WaitFor([&] { return !program.Window(caption); })) << win::Narrow(caption);
  };
  const auto reminders = [&](bool rearm) {
    if (HWND popup = program.Window(kPopup)) {
      PostClickAt(popup, 960 + 1500, 1920 + 250);
      close(-1, kPopup);
      armed = false;
      ++fired;
    }
    if (!rearm || armed) return;
    const std::vector<std::string> due = {"浸泡测试的提醒", "", "", "", "", "", "", "只提醒一次", "声音&窗口", "", DueText(-1)};
    armed = WriteBytes(install.folder() + L"\\timer.dat", DataFile(due));
  };
  const auto round = [&] {
    open(0, kList);  // today's work, closed again
    close(0, kList);
    if (HWND list = open(2, kList)) {  // all records: scrolled, sorted both ways, saved and closed
      HWND grid = ::FindWindowExW(list, nullptr, L"QuilletGrid", nullptr);
      for (WPARAM code : {SB_PAGEDOWN, SB_PAGEDOWN, SB_BOTTOM, SB_LINEUP, SB_TOP}) {
        ::SendMessageW(grid, WM_VSCROLL, code, 0);
        ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
      ::SendMessageW(grid, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)), 0);
      PostClickAt(list, 10560 + 850, 3000 + 190);
      PostClickAt(list, 10560 + 850, 3390 + 190);
    }
    close(2, kList);
    reminders(true);
    open(1, kList);  // a record added and cancelled
    if (HWND edit = open(-1, L"\x3000编辑工作记录")) PostClickAt(edit, 5400 + 600, 2520 + 190);
    close(-1, L"\x3000编辑工作记录");
    close(2, kList);
    reminders(false);  // the reminder settings hold the file
    open(3, L"定时提醒设置");
    close(3, L"定时提醒设置");
    if (HWND calendar = open(4, L"\x3000Tamber日历")) {  // months with marks; hidden, then closed
      for (WPARAM code : {SB_RIGHT, SB_LEFT, SB_LINERIGHT}) {
        ::PostMessageW(calendar, WM_HSCROLL, code, reinterpret_cast<LPARAM>(ChildWindows(calendar)[3]));
      }
    }
    close(4, L"\x3000Tamber日历");
    if (HWND calendar = open(4, L"\x3000Tamber日历")) ::PostMessageW(calendar, WM_CLOSE, 0, 0);
    close(-1, L"\x3000Tamber日历");
    if (HWND lookup = open(5, L"\x3000邮编区号查询")) {  // a city looked up, then "退　出"
      ::SendMessageW(ChildWindows(lookup)[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"石家庄"));
      PostClickAt(lookup, 2760 + 250, 840 + 190);
      PostClickAt(lookup, 3600 + 550, 840 + 190);
    }
    close(-1, L"\x3000邮编区号查询");
    if (HWND window = open(6, L"\x3000个人设置")) {  // "在任务栏显示图标" turned, saved
      PostClickAt(window, 120 + 2400 + 200, 1320 + 600 + 120);
      PostClickAt(window, 960 + 860, 4200 + 200);
    }
    close(-1, L"\x3000个人设置");
    open(7, L"\x3000版权说明");  // the about page, closed again, then on to the help viewer
    close(7, L"\x3000版权说明");
    if (HWND about = open(7, L"\x3000版权说明")) PostClickAt(about, 2160 + 670, 2280 + 220);
    if (HWND help = open(-1, L"\x3000帮助")) PostClickAt(help, 9550 + 150, 100 + 150);
    close(-1, L"\x3000帮助");
    reminders(true);
    ++rounds;
  };

  std::vector<Sample> samples;
  long peakKb = 0;
  const auto start = ::GetTickCount64();
  const auto elapsed = [&] { return static_cast<double>(::GetTickCount64() - start) / 60000.0; };
  while (samples.empty() || samples.back().minutes < minutes) {
    round();
    if (!program.Running() || ::testing::Test::HasFailure()) break;
    // The heap moves by megabytes as the records come and go: keep the peak.
    peakKb = std::max(peakKb, PrivateKb(win::Narrow(install.Exe())));
    if (elapsed() >= static_cast<double>(samples.size())) {
      // With no pop-up open or coming, once the closed windows are gone.
      if (armed) WaitFor([&] { return program.Window(kPopup) != nullptr; });
      reminders(false);
      EXPECT_TRUE(WaitFor([&] {
        return std::ranges::all_of(kWindows, [&](const wchar_t* c) { return TopLevelWindows(program.Id(), c).empty(); });
      })) << "windows closed but not destroyed";
      samples.push_back({elapsed(), rounds, fired, GdiObjectCount(process.get()), WindowCount(program.Id()),
                         std::max(peakKb, PrivateKb(win::Narrow(install.Exe())))});
      peakKb = 0;
    }
  }

  std::string table = "minutes,rounds,reminders,gdi_objects,windows,private_kb\n";
  for (const Sample& s : samples) {
    char line[100];
    std::snprintf(line, sizeof line, "%.2f,%d,%d,%d,%d,%ld\n", s.minutes, s.rounds, s.reminders,
                  s.gdiObjects, s.windows, s.privateKb);
    table += line;
  }
  std::wstring dir = DirFromEnv("QUILLET_SOAK_DIR");
  if (dir.empty()) dir = ArtifactDir();
  ::CreateDirectoryW(dir.c_str(), nullptr);
  EXPECT_TRUE(WriteBytes(dir + L"\\program_soak.csv", table));
  ASSERT_GE(samples.size(), 2u);
  // Memory: the median of five rows from the fifth minute against the last five.
  const std::size_t from = static_cast<std::size_t>(std::clamp(minutes - 1, 0, 5));
  const auto medianKb = [&](std::size_t first) {
    std::vector<long> kb;
    for (std::size_t i = first; i < std::min(first + 5, samples.size()); ++i) kb.push_back(samples[i].privateKb);
    std::nth_element(kb.begin(), kb.begin() + static_cast<std::ptrdiff_t>(kb.size() / 2), kb.end());
    return static_cast<double>(kb[kb.size() / 2]);
  };
  EXPECT_TRUE(samples[from].gdiObjects > 0 && samples[from].privateKb > 0) << "figures not read";
  EXPECT_LT(samples.back().gdiObjects, samples[from].gdiObjects * 1.02) << "GDI objects";
  EXPECT_LE(samples.back().windows, samples[from].windows) << "windows";
  EXPECT_LT(medianKb(samples.size() - std::min<std::size_t>(5, samples.size() - from)), medianKb(from) * 1.02)
      << "private memory";
}

}  // namespace
}  // namespace quillet::test

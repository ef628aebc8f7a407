// Probe: how fast the work-record list window opens, paints, scrolls, sorts
// and filters with many records. Opens the window in this process on a
// record file of each size and prints the median times. Run under Wine with
// QUILLET_BIN_DIR=build/windows:
//   tools/wine-run.sh build/wine-test build/windows/bench/work_list_probe.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/record_file.h"
#include "settings/default_settings.h"
#include "shell/program_windows_win.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/test_files.h"
#include "win32/text.h"
#include "worklog/work_list_window.h"

namespace quillet {
namespace {

std::string RecordFile(int count) {
  std::string text;
  unsigned seed = 12345;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    const std::string day = std::to_string(2000 + seed % 20) + "-" + std::to_string(1 + seed / 7 % 12) +
                            "-" + std::to_string(1 + seed / 11 % 28);
    AppendDataField(text, day + " " + std::to_string(seed / 13 % 24) + ":0");
    AppendDataField(text, day + " 17:30");
    AppendDataField(text, "第" + std::to_string(i) + "项工作：整理会议记录并发送给各部门负责人");
    AppendDataField(text, StateName(static_cast<std::int16_t>(seed / 17 % 5)));
    AppendDataField(text, i % 3 == 0 ? "需要跟进" : "");
  }
  return EncodeCp936(text).bytes;
}

double Milliseconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(int times, const std::function<double()>& measure) {
  std::vector<double> runs;
  for (int i = 0; i < times; ++i) runs.push_back(measure());
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

void PaintNow(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double OpenOnce(Program& program) {
  const double ms = Milliseconds([&] {
    ShowWorkList(program, false);
    PaintNow(TheForm<WorkListWindow>().hwnd());
  });
  TheForm<WorkListWindow>().Action(WorkListWindow::kCloseAction);
  return ms;
}

}  // namespace
}  // namespace quillet

int main() {
  using namespace quillet;
  test::ProgramManifest manifest;
  test::TempFolder folder;
  ShellProgram program;
  program.state.ProgramFolder = win::Narrow(folder.path());
  program.state.Parameters = DefaultSettings(program.state.ProgramFolder);
  const std::wstring file = folder.File(L"schedule.dat");

  double emptyOpen = 0;
  for (const int count : {0, 10000, 100000}) {
    test::WriteBytes(file, RecordFile(count));
    const int times = count == 100000 ? 7 : 20;
    const double open = Median(times, [&] { return OpenOnce(program); });
    if (count == 0) emptyOpen = open;
    std::printf("open, %6d records: %8.1f ms median of %d (%+.1f ms over an empty file)\n", count,
                open, times, open - emptyOpen);
  }

  ShowWorkList(program, false);
  WorkListWindow& list = TheForm<WorkListWindow>();
  HWND grid = list.Grid(WorkListWindow::kTable)->hwnd();
  PaintNow(list.hwnd());
  std::printf("paint the table, 100000 records: %6.2f ms median of 50\n",
              Median(50, [&] { return Milliseconds([&] { PaintNow(grid); }); }));
  std::printf("one scroll step, 100000 records: %6.2f ms median of 50\n",
              Median(50, [&] {
                return Milliseconds([&] {
                  ::SendMessageW(grid, WM_VSCROLL, SB_LINEDOWN, 0);
                  ::UpdateWindow(grid);
                });
              }));
  std::printf("sort by start, 100000 records:   %6.1f ms median of 5\n",
              Median(5, [&] { return Milliseconds([&] { list.Action(WorkListWindow::kSortByStartAction); ::UpdateWindow(grid); }); }));
  HWND filter = list.ControlWindow(WorkListWindow::kFilters[0]);
  std::printf("filter one state, 100000 records: %6.1f ms median of 6\n",
              Median(6, [&] {
                return Milliseconds([&] { ::SendMessageW(filter, BM_CLICK, 0, 0); ::UpdateWindow(grid); });
              }));
  TheForm<WorkListWindow>().Action(WorkListWindow::kCloseAction);
  return 0;
}

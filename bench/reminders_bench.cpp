// The due check the main window runs every five seconds.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "base/codepage.h"
#include "bench_support.h"
#include "reminders/reminder.h"
#include "reminders/schedule.h"

namespace quillet {
namespace {

const DateTime kNow = MakeDateTime(CivilDate{2006, 6, 1}, 12);

// count reminders; every dueEvery-th one has fallen due (0: none).
std::string MakeFile(int count, int dueEvery) {
  std::vector<Reminder> reminders(static_cast<std::size_t>(count));
  const char* kinds[] = {"只提醒一次", "每天提醒", "每周提醒", "每月提醒", "每年提醒"};
  for (int i = 0; i < count; ++i) {
    Reminder& r = reminders[static_cast<std::size_t>(i)];
    r[Reminder::kContent] = "第" + std::to_string(i) + "个提醒：记得给客户回电话";
    r[Reminder::kYear] = "2006";
    r[Reminder::kMonth] = "6";
    r[Reminder::kDay] = "1";
    r[Reminder::kHour] = "8";
    r[Reminder::kMinute] = "30";
    r[Reminder::kSecond] = "0";
    r[Reminder::kRepeat] = kinds[i % 5];
    r[Reminder::kPrompt] = "声音&窗口";
    const bool due = dueEvery > 0 && i % dueEvery == 0;
    const DateTime next{kNow.day + (due ? -1 : 1 + i % 300), 8 * 3600 + 30 * 60};
    r[Reminder::kNextDue] = FormatNextDueText(next);
  }
  return EncodeCp936(FormatReminders(reminders)).bytes;
}

// The usual tick: nothing due, nothing written.
void BM_DueCheck_NoneDue(benchmark::State& state) {
  const std::string file = MakeFile(static_cast<int>(state.range(0)), 0);
  bench_support::ResetPeakMemory();
  for (auto _ : state) {
    DueCheck check = CheckDueReminders(file, kNow);
    benchmark::DoNotOptimize(check.reminders);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  bench_support::ReportPeakMemory(state);
}
BENCHMARK(BM_DueCheck_NoneDue)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A tick in which one reminder in ten fires and the new file is built.
void BM_DueCheck_TenthDue(benchmark::State& state) {
  const std::string file = MakeFile(static_cast<int>(state.range(0)), 10);
  bench_support::ResetPeakMemory();
  for (auto _ : state) {
    DueCheck check = CheckDueReminders(file, kNow);
    benchmark::DoNotOptimize(check.newFileBytes.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  bench_support::ReportPeakMemory(state);
}
BENCHMARK(BM_DueCheck_TenthDue)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The whole tick with the file: read, check, no write.
void BM_DueCheck_FromFile(benchmark::State& state) {
  const std::string path =
      DataFilePath(bench_support::ScratchFolder(), "timer-" + std::to_string(state.range(0)) + ".dat");
  ReplaceFileContents(path, MakeFile(static_cast<int>(state.range(0)), 0));
  bench_support::ResetPeakMemory();
  for (auto _ : state) {
    DueCheckRun run = RunDueCheck(path, kNow);
    benchmark::DoNotOptimize(run.check.reminders);
  }
  bench_support::ReportPeakMemory(state);
  std::filesystem::remove(path);
}
BENCHMARK(BM_DueCheck_FromFile)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet

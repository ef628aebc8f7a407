// The list window's heavy path: load the work-record file, show a filter,
// sort by start, save. One iteration is one such round on a fresh table.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "base/codepage.h"
#include "base/record_file.h"
#include "bench_support.h"
#include "worklog/work_table.h"

namespace quillet {
namespace {

const char* const kStates[] = {"尚未完成", "已经完成", "因故取消", "因故延期", "完成部分"};

std::string MakeFile(int records) {
  std::string text;
  for (int i = 0; i < records; ++i) {
    // Start dates scattered over ten years, with some equal ones.
    const int day = (i * 7919) % 3650;
    const DateTime start = BuildDateTime(2005, 1, 1 + day, 9 + i % 8, i % 60, 0);
    const CivilDate d = DateOf(start);
    AppendDataField(text, FormatWorkDateTime(d, start.second / 3600, start.second / 60 % 60));
    AppendDataField(text, FormatWorkDateTime(d, 17, 0));
    AppendDataField(text, "完成第" + std::to_string(i) + "项工作的内容说明，并提交报告");
    AppendDataField(text, kStates[i % 5]);
    AppendDataField(text, i % 3 ? "" : "备注信息");
  }
  return EncodeCp936(text).bytes;
}

void BM_WorkTable_LoadFilterSortSave(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  WorkTableContext context;
  context.filePath = DataFilePath(bench_support::ScratchFolder(),
                                  "schedule-" + std::to_string(records) + ".dat");
  context.today = CivilDate{2010, 6, 1};
  context.palette = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x123456};
  const std::string file = MakeFile(records);
  if (!ReplaceFileContents(context.filePath, file)) state.SkipWithError("cannot write the file");
  bench_support::ResetPeakMemory();
  for (auto _ : state) {
    TableModel grid;
    SetUpWorkTable(grid, context);
    context.filters[1] = true;
    FilterRowsByState(grid, "已经完成", true, context);
    context.filters[1] = false;
    SortTableByDate(grid, 1, true);
    if (!SaveWorkRecords(grid, context).ok) state.SkipWithError("save failed");
    benchmark::DoNotOptimize(grid.Rows());
  }
  state.SetItemsProcessed(state.iterations() * records);
  state.counters["file_MiB"] = static_cast<double>(file.size()) / (1 << 20);
  bench_support::ReportPeakMemory(state);
  std::filesystem::remove(context.filePath);
}
BENCHMARK(BM_WorkTable_LoadFilterSortSave)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The sort alone, on a table already loaded, for the "no waiting" promise.
void BM_WorkTable_Sort(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  WorkTableContext context;
  context.filePath = DataFilePath(bench_support::ScratchFolder(), "schedule-sort.dat");
  context.filters = {true, true, true, true, true};
  ReplaceFileContents(context.filePath, MakeFile(records));
  TableModel grid;
  SetUpWorkTable(grid, context);
  bool descending = true;
  bench_support::ResetPeakMemory();
  for (auto _ : state) {
    SortTableByDate(grid, 1, descending);  // alternate so that each sort has work to do
    descending = !descending;
  }
  bench_support::ReportPeakMemory(state);
  std::filesystem::remove(context.filePath);
}
BENCHMARK(BM_WorkTable_Sort)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

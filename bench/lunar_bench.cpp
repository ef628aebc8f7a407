// Lunar conversion over the engine's whole range, 1900-01-31 .. 2100-12-31
// (73,384 days): the calendar window converts 42 cells per month shown, the
// panel one date per day, so the target is simply "well under a second" for
// the whole range. per_date is the time of one date.
#include <benchmark/benchmark.h>

#include "calendar/festivals.h"
#include "calendar/lunar.h"

namespace quillet {
namespace {

void RunOverTheRange(benchmark::State& state, std::size_t (*convert)(const CivilDate&)) {
  const int first = DayNumber(kLunarRangeFirst);
  const int last = DayNumber(kLunarRangeLast);
  const double days = last - first + 1;
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (int day = first; day <= last; ++day) bytes += convert(DateFromDayNumber(day));
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["dates"] = days;
  state.counters["per_date"] =
      benchmark::Counter(days, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LunarDateTextWholeRange(benchmark::State& state) {
  RunOverTheRange(state, [](const CivilDate& d) { return LunarDateText(d).size(); });
}
BENCHMARK(BM_LunarDateTextWholeRange)->Unit(benchmark::kMillisecond);

void BM_ToLunarDateWholeRange(benchmark::State& state) {
  RunOverTheRange(state, [](const CivilDate& d) { return static_cast<std::size_t>(ToLunarDate(d)->day); });
}
BENCHMARK(BM_ToLunarDateWholeRange)->Unit(benchmark::kMillisecond);

void BM_FestivalTextWholeRange(benchmark::State& state) {
  RunOverTheRange(state, [](const CivilDate& d) { return FestivalText(d).size(); });
}
BENCHMARK(BM_FestivalTextWholeRange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

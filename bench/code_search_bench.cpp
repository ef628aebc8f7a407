// Code look-up over a code list of 5,000 lines (a full national list of area
// and postal codes is of that size): the search runs on the user's Enter key,
// so it must feel instant.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/codepage.h"
#include "lookup/code_search.h"

namespace quillet {
namespace {

constexpr int kLines = 5000;

// province, region, postal code, area code; province names repeat, so a
// province keyword matches a few hundred lines and hits the box's limit.
std::string CodeList() {
  static const char* const kProvinces[] = {"北京", "上海", "广东", "四川", "江苏", "浙江", "湖南", "河北",
                                           "山东", "河南", "湖北", "福建", "云南", "陕西", "辽宁", "吉林"};
  std::string text;
  for (int i = 0; i < kLines; ++i) {
    char line[160];
    std::snprintf(line, sizeof line, "%s\t地区%04d市\t%06d\t0%03d\r\n", kProvinces[i % 16], i, 100000 + i * 7,
                  100 + i % 900);
    text += line;
  }
  return text;
}

void BM_MatchingCodeLines(benchmark::State& state, const char* keyword) {
  const std::string text = CodeList();
  for (auto _ : state) benchmark::DoNotOptimize(MatchingCodeLines(text, keyword));
  state.counters["lines"] = kLines;
}
BENCHMARK_CAPTURE(BM_MatchingCodeLines, one_line, "地区4321市")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MatchingCodeLines, province_fills_box, "广东")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MatchingCodeLines, no_match, "天津")->Unit(benchmark::kMicrosecond);

// The whole query as the window runs it: read Code.dat, decode code page 936,
// match.
void BM_SearchCodesFromFile(benchmark::State& state) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "quillet-bench-Code.dat";
  std::ofstream(path, std::ios::binary) << EncodeCp936(CodeList()).bytes;
  for (auto _ : state) benchmark::DoNotOptimize(SearchCodes(path.string(), "广东"));
  std::filesystem::remove(path);
  state.counters["lines"] = kLines;
}
BENCHMARK(BM_SearchCodesFromFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet

// Checks every day of the lunar engine's range, 1900-01-31 .. 2100-12-31,
// against tests/data/lunar_months.txt: the months of every lunar year as an
// independent astronomical calendar (lunar-javascript) gives them. Both the
// engine and the command-line tool quillet-lunar are checked.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/festivals.h"
#include "calendar/lunar.h"

namespace quillet {
namespace {

struct ReferenceDay {
  CivilDate date;
  LunarDate lunar;
};

// One entry per day of the reference file, which says per line: lunar year,
// its first day, then month:length ...; each year must follow on the last.
const std::vector<ReferenceDay>& ReferenceDays() {
  static const std::vector<ReferenceDay> days = [] {
    std::vector<ReferenceDay> out;
    std::ifstream in(QUILLET_SOURCE_DIR "/tests/data/lunar_months.txt");
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream fields(line);
      int year = 0;
      std::string first;
      std::string month;
      fields >> year >> first;
      const auto start = ParseIsoDate(first);
      int day = start ? DayNumber(*start) : 0;
      EXPECT_TRUE(start && (out.empty() || day == DayNumber(out.back().date) + 1)) << line;
      while (fields >> month) {
        const int length = std::stoi(month.substr(month.find(':') + 1));
        for (int d = 1; d <= length; ++d) out.push_back({DateFromDayNumber(day++), {year, std::stoi(month), d}});
      }
    }
    return out;
  }();
  return days;
}

std::string RunTool(const std::string& arguments, int& status) {
  FILE* pipe = popen((QUILLET_BINARY_DIR "/quillet-lunar " + arguments + " 2>&1").c_str(), "r");
  std::string output;
  char buffer[1 << 16];
  for (std::size_t got = 0; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
  const int raw = pipe ? pclose(pipe) : -1;
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

TEST(LunarRange, EngineAndToolAgreeWithTheReferenceOnEveryDay) {
  const auto& days = ReferenceDays();
  ASSERT_GT(days.size(), 73384u);  // lunar 2100 ends in January 2101
  EXPECT_EQ(days.front().date, kLunarRangeFirst);
  EXPECT_EQ(days.front().lunar, (LunarDate{1900, 1, 1}));
  for (std::size_t i = 0; i < 73384; ++i) {
    ASSERT_EQ(ToLunarDate(days[i].date), days[i].lunar) << IsoDateText(days[i].date);
  }
  EXPECT_EQ(days[73383].date, kLunarRangeLast);

  int status = 0;
  std::istringstream lines(RunTool("1900-01-31 2100-12-31", status));
  ASSERT_EQ(status, 0);
  std::string line;
  std::string previousYearPart;
  std::size_t index = 0;
  while (std::getline(lines, line)) {
    ASSERT_LT(index, 73384u);
    const ReferenceDay& ref = days[index++];
    const LunarDate& lunar = ref.lunar;
    // date TAB 农历<year part>)[闰]M月D TAB festivals, LF only
    const std::string text = IsoDateText(ref.date) + "\t" + LunarDateText(ref.date) + "\t";
    const std::string monthDay = std::string(lunar.month < 0 ? "闰" : "") +
                                 std::string(LunarMonthNames[std::abs(lunar.month)]) + "月" +
                                 std::string(LunarDayNames[lunar.day]);
    ASSERT_EQ(line, text + FestivalText(ref.date));
    ASSERT_EQ(text.substr(text.find(')') + 1), monthDay + "\t") << line;
    // The year part changes exactly on the lunar new year.
    const std::string yearPart = text.substr(0, text.find(')')).substr(11);
    ASSERT_EQ(index > 1 && yearPart != previousYearPart, index > 1 && lunar.month == 1 && lunar.day == 1) << line;
    previousYearPart = yearPart;
  }
  EXPECT_EQ(index, 73384u);
}

TEST(LunarRange, ToolRejectsBadArguments) {
  int status = 0;
  EXPECT_EQ(RunTool("2008-02-07 2008-02-07", status), "2008-02-07\t农历戊子年(鼠)正月初一\t(春节)\n");
  EXPECT_EQ(status, 0);
  for (const char* bad : {"", "2008-02-07", "1900-01-30 1900-02-01", "2100-12-31 2101-01-01",
                          "2008-02-30 2008-03-01", "2008-2-7 2008-02-08", "2008-03-01 2008-02-01",
                          "a b", "2008-02-07 2008-02-08 2008-02-09"}) {
    const std::string output = RunTool(bad, status);
    EXPECT_EQ(status, 2) << bad;
    EXPECT_NE(output.find("quillet-lunar:"), std::string::npos) << bad;
  }
}

}  // namespace
}  // namespace quillet

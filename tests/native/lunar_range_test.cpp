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

// Expands the reference file into one entry per day, checking as it goes
// that every lunar year starts the day after the previous one ends.
std::vector<ReferenceDay> LoadReferenceDays() {
  std::ifstream in(QUILLET_SOURCE_DIR "/tests/data/lunar_months.txt");
  EXPECT_TRUE(in.good()) << "missing tests/data/lunar_months.txt";
  std::vector<ReferenceDay> days;
  std::string line;
  int nextDay = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int year = 0;
    std::string first;
    fields >> year >> first;
    const auto start = ParseIsoDate(first);
    if (!start) {
      ADD_FAILURE() << "bad line: " << line;
      return {};
    }
    int day = DayNumber(*start);
    if (!days.empty()) {
      EXPECT_EQ(day, nextDay) << "lunar year " << year << " does not follow on";
    }
    std::string month;
    while (fields >> month) {
      const std::size_t colon = month.find(':');
      const int number = std::stoi(month.substr(0, colon));
      const int length = std::stoi(month.substr(colon + 1));
      for (int d = 1; d <= length; ++d) days.push_back({DateFromDayNumber(day++), {year, number, d}});
    }
    nextDay = day;
  }
  return days;
}

const std::vector<ReferenceDay>& ReferenceDays() {
  static const std::vector<ReferenceDay> days = LoadReferenceDays();
  return days;
}

TEST(LunarRange, EveryDayAgreesWithTheReference) {
  ASSERT_FALSE(ReferenceDays().empty());
  EXPECT_EQ(ReferenceDays().front().date, kLunarRangeFirst);
  EXPECT_EQ(ReferenceDays().front().lunar, (LunarDate{1900, 1, 1}));
  EXPECT_GT(DayNumber(ReferenceDays().back().date), DayNumber(kLunarRangeLast));
  int checked = 0;
  for (const auto& ref : ReferenceDays()) {
    if (DayNumber(ref.date) > DayNumber(kLunarRangeLast)) break;
    const auto lunar = ToLunarDate(ref.date);
    ASSERT_TRUE(lunar.has_value()) << IsoDateText(ref.date);
    ASSERT_EQ(lunar->year, ref.lunar.year) << IsoDateText(ref.date);
    ASSERT_EQ(lunar->month, ref.lunar.month) << IsoDateText(ref.date);
    ASSERT_EQ(lunar->day, ref.lunar.day) << IsoDateText(ref.date);
    ++checked;
  }
  EXPECT_EQ(checked, 73384);
}

// "[闰]M月D", the month and day part of the text of a lunar date, spelt
// from the name lists.
std::string MonthDayText(const LunarDate& lunar) {
  return std::string(lunar.month < 0 ? "闰" : "") + std::string(LunarMonthNames[std::abs(lunar.month)]) +
         "月" + std::string(LunarDayNames[lunar.day]);
}

std::string RunTool(const std::string& arguments, int& status) {
  const std::string command = QUILLET_BINARY_DIR "/quillet-lunar " + arguments + " 2>&1";
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return output;
  }
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  const int raw = pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

TEST(LunarRange, ToolPrintsEveryDayOfTheRange) {
  int status = 0;
  const std::string output = RunTool("1900-01-31 2100-12-31", status);
  ASSERT_EQ(status, 0) << output.substr(0, 500);
  std::istringstream lines(output);
  std::string line;
  std::size_t index = 0;
  std::string previousYearPart;
  const auto& days = ReferenceDays();
  while (std::getline(lines, line)) {
    ASSERT_LT(index, days.size());
    const ReferenceDay& ref = days[index++];
    ASSERT_EQ(line.find('\r'), std::string::npos);
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    ASSERT_NE(tab2, std::string::npos) << line;
    ASSERT_EQ(line.substr(0, tab1), IsoDateText(ref.date));
    const std::string text = line.substr(tab1 + 1, tab2 - tab1 - 1);
    ASSERT_EQ(text.substr(text.find(')') + 1), MonthDayText(ref.lunar)) << line;
    // The year part changes exactly on the lunar new year.
    const std::string yearPart = text.substr(0, text.find(')') + 1);
    if (index > 1) {
      ASSERT_EQ(yearPart != previousYearPart, ref.lunar.month == 1 && ref.lunar.day == 1) << line;
    }
    previousYearPart = yearPart;
    ASSERT_EQ(line.substr(tab2 + 1), FestivalText(ref.date)) << line;
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

// The lunar calendar. Every day of the engine's range, 1900-01-31 ..
// 2100-12-31, is checked against tests/data/lunar_months.txt: the months of
// every lunar year as an independent astronomical calendar (lunar-javascript)
// gives them; the command-line tool quillet-lunar is checked with it. Year
// names, range ends and festivals are checked by hand-picked dates.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
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

struct ReferenceDay { CivilDate date; LunarDate lunar; };

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
  while (std::size_t got = pipe ? std::fread(buffer, 1, sizeof buffer, pipe) : 0) output.append(buffer, got);
  const int raw = pipe ? pclose(pipe) : -1;
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

TEST(LunarRange, EngineAndToolAgreeWithTheReferenceOnEveryDayAndToolRejectsBadArguments) {
  const auto& days = ReferenceDays();
  ASSERT_GT(days.size(), 73384u);  // lunar 2100 ends in January 2101
  EXPECT_EQ(days.front().date, kLunarRangeFirst);
  EXPECT_EQ(days.front().lunar, (LunarDate{1900, 1, 1}));
  EXPECT_EQ(days[73383].date, kLunarRangeLast);
  std::string expected;  // what the tool prints: date TAB text TAB festivals, LF only
  std::string previousYear;
  for (std::size_t i = 0; i < 73384; ++i) {
    const CivilDate date = days[i].date;
    const LunarDate& lunar = days[i].lunar;
    ASSERT_EQ(ToLunarDate(date), lunar) << IsoDateText(date);
    // 农历<year>)[闰]<month>月<day>; the year part changes exactly on the new year.
    const std::string text = LunarDateText(date);
    const std::string year = text.substr(0, text.find(')') + 1);
    ASSERT_EQ(text.substr(year.size()), std::string(lunar.month < 0 ? "闰" : "") +
                                            std::string(LunarMonthNames[std::abs(lunar.month)]) + "月" +
                                            std::string(LunarDayNames[lunar.day]));
    ASSERT_EQ(i > 0 && year != previousYear, i > 0 && lunar.month == 1 && lunar.day == 1) << text;
    previousYear = year;
    expected += IsoDateText(date) + "\t" + text + "\t" + FestivalText(date) + "\n";
  }
  int status = 0;
  const std::string output = RunTool("1900-01-31 2100-12-31", status);
  EXPECT_EQ(status, 0);
  const auto differ = std::mismatch(output.begin(), output.end(), expected.begin(), expected.end()).first;
  EXPECT_TRUE(output == expected) << "the tool differs at: " << std::string(differ, output.end()).substr(0, 200);

  for (const char* bad : {"2008-02-07", "1900-01-30 1900-02-01", "2100-12-31 2101-01-01",
                          "2008-2-7 2008-02-08", "2008-03-01 2008-02-01", "--solar-terms 1899-12-31 1900-01-01",
                          "--holidays 2026-01-01", "--holiday-file x 2026-01-01 2026-01-02", "--moon 2026-01-01 2026-01-02",
                          "--holidays --holiday-file /nonexistent 2026-01-01 2026-01-02"}) {
    EXPECT_NE(RunTool(bad, status).find("quillet-lunar:"), std::string::npos) << bad;
    EXPECT_EQ(status, 2) << bad;
  }
}

TEST(LunarTool, ListsSolarTermsAndTheMarkedDaysOfTheDeliveredOrANamedFile) {
  int status = 0;
  const std::string terms = RunTool("--solar-terms 1900-01-01 2100-12-31", status);
  EXPECT_EQ(std::count(terms.begin(), terms.end(), '\n') * 10 + status, 201 * 24 * 10);
  EXPECT_EQ(RunTool("--solar-terms 2010-02-05 2010-03-06", status), "2010-02-19\t雨水\n2010-03-06\t惊蛰\n");
  EXPECT_EQ(RunTool("--holidays 2026-10-07 2026-10-11", status), "2026-10-07\t休\n2026-10-10\t班\n");
  const std::string file = testing::TempDir() + "quillet-holidays.dat";
  std::ofstream(file, std::ios::binary) << "2026-10-08 \xB0\xE0\r\n";  // 班 in code page 936
  EXPECT_EQ(RunTool("--holiday-file " + file + " --holidays 2026-10-07 2026-10-11", status), "2026-10-08\t班\n");
  std::remove(file.c_str());
}

TEST(Lunar, YearNamesAndNothingOutsideTheRangeOrForNoDate) {
  // Every stem, branch and animal, from published Chinese almanacs; the range
  // test checks every month and day and when the year changes.
  std::string names;
  for (int year = 2008; year < 2020; ++year) {
    const std::string text = LunarDateText(CivilDate{year, 7, 1});
    names += text.substr(6, text.find(')') - 5);  // after 农历
  }
  EXPECT_EQ(names, "戊子年(鼠)己丑年(牛)庚寅年(虎)辛卯年(兔)壬辰年(龙)癸巳年(蛇)"
                   "甲午年(马)乙未年(羊)丙申年(猴)丁酉年(鸡)戊戌年(狗)己亥年(猪)");

  for (const CivilDate date : {CivilDate{1900, 1, 30}, {2101, 1, 1}, {-5, 1, 1}, {2100, 2, 29},
                               {2008, 13, 1}, {2008, 0, 1}, {2008, 1, 0}}) {
    EXPECT_EQ(LunarDateText(date), "") << date.year << "-" << date.month << "-" << date.day;
  }
}

TEST(Festivals, LunarAndGregorianNamesJoinLunarFirstAndLunarKeysNeedWholeNames) {
  const std::pair<CivilDate, const char*> days[] = {
      {{2008, 2, 7}, "(春节)"},         {{2008, 1, 1}, "(元旦)"},
      {{2010, 2, 14}, "(春节情人节)"},  {{2006, 10, 6}, "(中秋节老人节)"},
      {{2006, 7, 31}, "(七夕情人节)"},  {{2009, 5, 28}, "(端午节)"},
      {{2006, 9, 9}, "(毛席逝世纪念)"}, {{2007, 4, 1}, "( 愚人节)"},
      {{2007, 7, 1}, "(建党节 香港回归纪念)"}, {{2007, 8, 18}, "(我的生日)"},  // out of key order
      {{2026, 9, 25}, "(中秋节)"},    // extended range
      {{2006, 8, 30}, ""},            // 闰七月初七: leap months have none
      {{2007, 3, 13}, ""},            // neither kind: never "()"
      {{2101, 1, 1}, "(元旦)"},       // outside the lunar range only Gregorian names count
  };
  for (const auto& [date, text] : days) EXPECT_EQ(FestivalText(date), text) << IsoDateText(date);

  EXPECT_EQ(LunarMonthDayKey("正月初一") + LunarMonthDayKey("腊月三十"), "01011230");
  for (const char* none : {"闰四月初一", "*月初一", "正月*", "正月", "初一", "", "正月初一 "}) {
    EXPECT_EQ(LunarMonthDayKey(none), "") << none;  // "*" is the lists' filler, not a name
  }
}

}  // namespace
}  // namespace quillet

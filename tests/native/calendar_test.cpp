// Lunar engine and quillet-lunar on every day against tests/data/lunar_months.txt (lunar-javascript).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/utf8.h"
#include "calendar/day_marks.h"
#include "calendar/festivals.h"
#include "calendar/lunar.h"
#include "calendar/month_grid.h"
#include "calendar/solar_terms.h"
#include "tests/support/lunar_reference.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

std::string RunTool(const std::string& arguments, int& status) {
  FILE* pipe = popen((QUILLET_BINARY_DIR "/quillet-lunar " + arguments + " 2>&1").c_str(), "r");
  std::string output;
  char buffer[1 << 16];
  while (std::size_t got = pipe ? std::fread(buffer, 1, sizeof buffer, pipe) : 0) output.append(buffer, got);
  const int raw = pipe ? pclose(pipe) : -1;
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

std::string MonthAndDay(const LunarDate& lunar) {
  static const char* const digits[] = {"十", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
  const int m = std::abs(lunar.month), d = lunar.day;
  return std::string(lunar.month < 0 ? "闰" : "") + (m == 1 ? "正" : m == 11 ? "冬" : m == 12 ? "腊" : digits[m % 10]) +
         "月" + (d <= 10 ? "初" : d < 20 ? "十" : d == 20 ? "二" : d < 30 ? "廿" : "三") + digits[d % 10];
}

TEST(LunarRange, EngineAndToolAgreeWithTheReferenceOnEveryDayAndToolRejectsBadArguments) {
  const std::vector<ReferenceDay> days = ReferenceDays();
  ASSERT_GT(days.size(), 73384u);  // lunar 2100 ends in January 2101
  EXPECT_TRUE(days[0].date == kLunarRangeFirst && days[0].lunar == (LunarDate{1900, 1, 1}) && days[73383].date == kLunarRangeLast);
  int status = 0;
  std::istringstream tool(RunTool("1900-01-31 2100-12-31", status));  // date TAB text TAB festivals
  std::string previousYear, line;
  for (std::size_t i = 0; i < 73384; ++i) {
    const auto& [date, lunar] = days[i];
    ASSERT_TRUE(ToLunarDate(date) == lunar && FromLunarDate(lunar) == date) << IsoDateText(date);
    const std::string text = LunarDateText(date);
    const std::string year = text.substr(0, text.find(')') + 1);
    ASSERT_EQ(text.substr(year.size()), MonthAndDay(lunar));
    ASSERT_EQ(i > 0 && year != previousYear, i > 0 && lunar.month == 1 && lunar.day == 1) << text;
    previousYear = year;
    ASSERT_TRUE(std::getline(tool, line) && line.starts_with(IsoDateText(date) + "\t" + text + "\t")) << line;
  }
  EXPECT_FALSE(std::getline(tool, line)) << line;
  EXPECT_EQ(status, 0);
  EXPECT_EQ(RunTool("2008-02-06 2008-02-07", status), "2008-02-06\t农历丁亥年(猪)腊月三十\t\n"
                                                     "2008-02-07\t农历戊子年(鼠)正月初一\t(春节)\n");
  for (const char* bad : {"2008-02-07", "1900-01-30 1900-02-01", "2100-12-31 2101-01-01",
                          "2008-2-7 2008-02-08", "2008-03-01 2008-02-01", "--solar-terms 1899-12-31 1900-01-01",
                          "--holidays 2026-01-01", "--holiday-file x 2026-01-01 2026-01-02", "--moon 2026-01-01 2026-01-02",
                          "--holidays --holiday-file /nonexistent 2026-01-01 2026-01-02"}) {
    EXPECT_TRUE(RunTool(bad, status).find("quillet-lunar:") != std::string::npos && status == 2) << bad;
  }
  const std::string terms = RunTool("--solar-terms 1900-01-01 2100-12-31", status);
  EXPECT_EQ(std::count(terms.begin(), terms.end(), '\n') * 10 + status, 201 * 24 * 10);
  EXPECT_EQ(RunTool("--solar-terms 2010-02-05 2010-03-06", status), "2010-02-19\t雨水\n2010-03-06\t惊蛰\n");
  EXPECT_EQ(RunTool("--holidays 2026-10-07 2026-10-11", status), "2026-10-07\t休\n2026-10-10\t班\n");
  const std::string file = testing::TempDir() + "quillet-holidays.dat";
  std::ofstream(file, std::ios::binary) << "2026-10-08 \xB0\xE0\r\n";  // 班 in code page 936
  EXPECT_EQ(RunTool("--holiday-file " + file + " --holidays 2026-10-07 2026-10-11", status), "2026-10-08\t班\n");
  std::remove(file.c_str());
}

TEST(LunarTexts, YearNamesNothingOutsideTheRangeAndFestivalsJoinLunarFirst) {
  std::string names;
  for (int year = 2008; year < 2020; ++year) {
    const std::string text = LunarDateText(CivilDate{year, 7, 1});
    names += text.substr(6, text.find(')') - 5);  // after 农历
  }
  EXPECT_EQ(names, "戊子年(鼠)己丑年(牛)庚寅年(虎)辛卯年(兔)壬辰年(龙)癸巳年(蛇)"
                   "甲午年(马)乙未年(羊)丙申年(猴)丁酉年(鸡)戊戌年(狗)己亥年(猪)");

  for (const CivilDate date : {CivilDate{1900, 1, 30}, {2101, 1, 1}, {-5, 1, 1}, {2100, 2, 29}, {2008, 13, 1}, {2008, 0, 1}, {2008, 1, 0}}) {
    EXPECT_EQ(LunarDateText(date), "") << date.year << "-" << date.month << "-" << date.day;
  }
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
}

TEST(SolarTerms, PublishedDaysAndTwoTermsAMonthAboutFifteenDaysApartEveryYear) {
  std::string named;  // 2021 and 2025 have 立春 on 3 February
  for (const CivilDate date : {CivilDate{2008, 12, 21}, {2017, 4, 4}, {2021, 2, 3}, {2023, 3, 21}, {2025, 2, 3}, {2025, 2, 4}}) named += std::string(SolarTermOn(date)) + ".";
  EXPECT_EQ(named, "冬至.清明.立春.春分.立春..");

  int previous = DayNumber(CivilDate{1899, 12, 22});
  for (int year = 1900; year <= 2100; ++year) {
    for (int term = 0; term < 24; ++term) {
      const auto date = SolarTermDate(year, term);
      ASSERT_TRUE(date && date->month == term / 2 + 1) << year << " " << term;
      const int gap = DayNumber(*date) - previous;  // the sun takes 14.7 to 15.7 days for 15 degrees
      ASSERT_TRUE(gap >= 14 && gap <= 16) << IsoDateText(*date) << " " << gap;
      ASSERT_EQ(SolarTermOn(*date), SolarTermNames[static_cast<std::size_t>(term)]);
      previous = DayNumber(*date);
    }
  }
  EXPECT_FALSE(SolarTermDate(1899, 23) || SolarTermDate(2101, 0) || SolarTermDate(2000, 24));
}

std::string Listed(const DayMarks& marks) {
  std::string out;
  for (const auto& [date, mark] : marks.Between({1900, 1, 1}, {2100, 12, 31})) out += IsoDateText(date) + std::string(DayMarkText(mark)) + " ";
  return out;
}

TEST(DayMarks, OneDayALineCommentsAndOddLinesSkippedTheLastLineOfADayWins) {
  const DayMarks marks = DayMarks::FromText(
      "# 2026-01-01 休\r\n2026-10-10 班 国庆节\r\n2026-10-01\t休\n"
      "2026-10-02 休息\r2026-10-03休\r\n 2026-10-04 休\r\n"  // another word, no blank, not at the start
      "2026-02-30 休\r\n2026-10-05 班\r\n2026-10-05  休\r\n2026-10-06 假\r\n2026-10-07 休");
  EXPECT_EQ(Listed(marks), "2026-10-01休 2026-10-05休 2026-10-07休 2026-10-10班 ");
  EXPECT_EQ(marks.Between({2026, 10, 5}, {2026, 10, 7}).size(), 2u);
  EXPECT_TRUE(marks.On({2026, 10, 10}) == DayMark::WorkDay && marks.On({2026, 10, 11}) == DayMark::None);
}

using HolidayFiles = testing_support::ScratchFolderTest;

TEST_F(HolidayFiles, TheDataFolderCopyGivesTheYearsItMarksTheDeliveredOneTheOthersNoFileNoMarks) {
  const std::string program = Path("program"), data = Path("data");
  std::filesystem::create_directories(program);
  std::filesystem::create_directories(data + "/Holiday.dat");  // a folder cannot be read
  EXPECT_TRUE(LoadDayMarks(data, program).empty());
  testing_support::ScratchFolder::Put(program + "/Holiday.dat",
                                      EncodeCp936("2024-10-01 休\r\n2025-10-01 休\r\n2026-12-31 休 元旦\r\n2027-01-01 休\r\n").bytes);
  EXPECT_EQ(Listed(LoadDayMarks(data, program)), "2024-10-01休 2025-10-01休 2026-12-31休 2027-01-01休 ");
  std::filesystem::remove(data + "/Holiday.dat");
  testing_support::ScratchFolder::Put(data + "/Holiday.dat", "\xEF\xBB\xBF" "# 2026-10-01 班\r\n2027-02-20 班\r\n");
  EXPECT_EQ(Listed(LoadDayMarks(data, program)), "2024-10-01休 2025-10-01休 2026-12-31休 2027-02-20班 ");
}

TEST(MonthGrid, CellsHoldDayLunarDateFestivalsTermTodayAndMarkAndLongLinesAreCut) {
  const DayMarks marks = DayMarks::FromText("2010-02-14 休\r\n2010-02-20 班\r\n");
  const auto feb2010 = MonthCells(2010, 2, CivilDate{2010, 2, 20}, marks);
  EXPECT_EQ(feb2010[13].Text() + feb2010[3].Text() + feb2010[19].Text(),  // the 1st is a Monday: cell 0
            " 14\r\n正月初一\r\n(春节情人节) 4\r\n腊月廿一\r\n立春 20\r\n正月初七");
  EXPECT_TRUE(feb2010[19].today && !feb2010[18].today && feb2010[13].mark == DayMark::DayOff && feb2010[19].mark == DayMark::WorkDay);
  EXPECT_EQ(MonthCells(2011, 8, {}, {})[7].Text(), " 8\r\n七月初九\r\n(父亲节)立秋");
  EXPECT_EQ(MonthCells(2020, 5, {}, {})[26].Text(), " 23\r\n闰四月初一");  // from Friday the 1st
  EXPECT_EQ(MonthCells(2017, 1, {}, {})[36].day, 31);
  const auto measure = [](std::string_view text) {  // 12 pixels a Chinese character, 6 others
    int width = 0;
    for (std::size_t at = 0; at < text.size();) width += NextCodePoint(text, at) >= 0x2E80 ? 12 : 6;
    return width;
  };
  EXPECT_EQ(FitLine("(建党节 香港回归纪念)", 84, measure) + FitLine("(春节情人节)", 84, measure) + FitLine("立秋", 5, measure),
            "(建党节 香港…(春节情人节)…");
}

}  // namespace
}  // namespace quillet

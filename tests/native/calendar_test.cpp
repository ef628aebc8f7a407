// The calendar window's data: the solar term table, the holiday file's
// reader, and the month grid with its cells' lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/codepage.h"
#include "base/utf8.h"
#include "calendar/day_marks.h"
#include "calendar/month_grid.h"
#include "calendar/solar_terms.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

TEST(SolarTerms, PublishedDaysAndTwoTermsAMonthAboutFifteenDaysApartEveryYear) {
  // From published almanacs (Beijing time); 2021 and 2025 have 立春 on 3 February.
  std::string named;
  for (const CivilDate date : {CivilDate{2008, 12, 21}, {2017, 4, 4}, {2021, 2, 3}, {2023, 3, 21}, {2025, 2, 3}, {2025, 2, 4}}) {
    named += std::string(SolarTermOn(date)) + ".";
  }
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
  // The user's copy, saved as UTF-8 with a byte-order mark, covers 2027 alone (a comment marks no day).
  std::filesystem::remove(data + "/Holiday.dat");
  testing_support::ScratchFolder::Put(data + "/Holiday.dat", "\xEF\xBB\xBF" "# 2026-10-01 班\r\n2027-02-20 班\r\n");
  EXPECT_EQ(Listed(LoadDayMarks(data, program)), "2024-10-01休 2025-10-01休 2026-12-31休 2027-02-20班 ");
}

TEST(MonthGrid, CellsHoldDayLunarDateFestivalsTermTodayAndMarkAndLongLinesAreCut) {
  const DayMarks marks = DayMarks::FromText("2010-02-14 休\r\n2010-02-20 班\r\n");
  const auto feb2010 = MonthCells(2010, 2, CivilDate{2010, 2, 20}, marks);
  EXPECT_EQ(feb2010[13].Text() + feb2010[3].Text() + feb2010[19].Text(),  // the 1st is a Monday: cell 0
            " 14\r\n正月初一\r\n(春节情人节) 4\r\n腊月廿一\r\n立春 20\r\n正月初七");
  EXPECT_TRUE(feb2010[19].today && !feb2010[18].today);
  EXPECT_TRUE(feb2010[13].mark == DayMark::DayOff && feb2010[19].mark == DayMark::WorkDay);

  // The festival keeps its place; the term follows it.
  EXPECT_EQ(MonthCells(2011, 8, {}, {})[7].Text(), " 8\r\n七月初九\r\n(父亲节)立秋");
  EXPECT_EQ(MonthCells(2020, 5, {}, {})[26].Text(), " 23\r\n闰四月初一");  // from Friday the 1st
  // 1900 starts on a Monday, before the lunar range: no lunar line until the 31st.
  const auto jan1900 = MonthCells(1900, 1, {}, {});
  EXPECT_EQ(jan1900[0].Text() + jan1900[5].Text(), " 1\r\n\r\n(元旦) 6\r\n\r\n小寒");
  // Only the full Gregorian rule gives 1900 and 2100 common Februaries.
  for (const auto& [year, days] : {std::pair{1900, 28}, {2000, 29}, {2100, 28}}) {
    int last = 0;
    for (const DayCell& cell : MonthCells(year, 2, {}, {})) last = std::max(last, cell.day);
    EXPECT_EQ(last, days) << year;
  }
  // A 31-day month starting on a Sunday ends in the last cell used, 36.
  EXPECT_EQ(MonthCells(2017, 1, {}, {})[36].day, 31);

  // A line too long for its cell ends in "…" after the last character that fits.
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

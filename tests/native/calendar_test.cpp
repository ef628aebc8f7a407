// The calendar window's data: the solar term table, the delivered holiday
// file, and the month grid with its cells' lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "base/codepage.h"
#include "base/utf8.h"
#include "calendar/day_marks.h"
#include "calendar/month_grid.h"
#include "calendar/solar_terms.h"

namespace quillet {
namespace {

TEST(SolarTerms, PublishedDaysAndTwoTermsAMonthAboutFifteenDaysApartEveryYear) {
  // From published almanacs (Beijing time); 2021 and 2025 have 立春 on 3 February.
  const std::pair<CivilDate, const char*> published[] = {
      {{2008, 12, 21}, "冬至"}, {{2010, 2, 4}, "立春"}, {{2017, 4, 4}, "清明"}, {{2021, 2, 3}, "立春"},
      {{2022, 12, 22}, "冬至"}, {{2023, 3, 21}, "春分"}, {{2025, 2, 3}, "立春"}, {{2024, 2, 4}, "立春"}};
  for (const auto& [date, name] : published) EXPECT_EQ(SolarTermOn(date), name) << IsoDateText(date);
  EXPECT_EQ(SolarTermOn(CivilDate{2025, 2, 4}), "");

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

TEST(DeliveredHolidayFile, EveryDatedLineIsAMarkAndTheAnnouncedDaysAreThere) {
  std::ifstream in(QUILLET_SOURCE_DIR "/data/Holiday.dat", std::ios::binary);
  const std::string text = DecodeCp936(std::string(std::istreambuf_iterator<char>(in), {})).utf8;
  std::istringstream lines(text);
  std::size_t dated = 0;
  for (std::string line; std::getline(lines, line);) dated += !line.empty() && line[0] >= '0' && line[0] <= '9';
  const DayMarks marks = DayMarks::FromText(text);
  EXPECT_EQ(marks.Between({2004, 1, 1}, {2026, 12, 31}).size(), dated);
  // 2026's National Day: off 1..7 October, at work on Saturday the 10th.
  EXPECT_EQ(marks.On({2026, 10, 7}), DayMark::DayOff);
  EXPECT_EQ(marks.On({2026, 10, 10}), DayMark::WorkDay);
  EXPECT_EQ(marks.On({2026, 10, 11}), DayMark::None);  // an ordinary Sunday
}

TEST(MonthGrid, CellsHoldDayLunarDateFestivalsTermTodayAndMark) {
  const DayMarks marks = DayMarks::FromText("2010-02-14 休\r\n2010-02-20 班\r\n");
  const auto feb2010 = MonthCells(2010, 2, CivilDate{2010, 2, 20}, marks);
  EXPECT_EQ(feb2010[13].Text(), " 14\r\n正月初一\r\n(春节情人节)");  // the 1st is a Monday: cell 0
  EXPECT_EQ(feb2010[13].mark, DayMark::DayOff);
  EXPECT_EQ(feb2010[3].Text(), " 4\r\n腊月廿一\r\n立春");
  EXPECT_EQ(feb2010[19].Text(), " 20\r\n正月初七");
  EXPECT_TRUE(feb2010[19].today && feb2010[19].mark == DayMark::WorkDay && !feb2010[18].today);
  EXPECT_EQ(feb2010[28].day, 0);  // 28 days

  // The festival keeps its place; the term follows it.
  EXPECT_EQ(MonthCells(2011, 8, {}, {})[7].Text(), " 8\r\n七月初九\r\n(父亲节)立秋");
  // 1900 starts on a Monday, before the lunar range: no lunar line until the 31st.
  const auto jan1900 = MonthCells(1900, 1, {}, {});
  EXPECT_EQ(jan1900[0].Text(), " 1\r\n\r\n(元旦)");
  EXPECT_EQ(jan1900[5].Text(), " 6\r\n\r\n小寒");
  EXPECT_EQ(jan1900[30].Text(), " 31\r\n正月初一\r\n(春节)");
  // Only the full Gregorian rule gives 1900 and 2100 common Februaries.
  for (const auto& [year, days] : {std::pair{1900, 28}, {2000, 29}, {2100, 28}, {2004, 29}}) {
    int last = 0;
    for (const DayCell& cell : MonthCells(year, 2, {}, {})) last = std::max(last, cell.day);
    EXPECT_EQ(last, days) << year;
  }
  // A 31-day month starting on a Sunday ends in the last cell used, 36.
  EXPECT_EQ(MonthCells(2017, 1, {}, {})[36].day, 31);
  EXPECT_EQ(MonthCells(2100, 12, {}, {})[32].Text(), " 31\r\n腊月初一");  // the last day
}

TEST(MonthGrid, ALineTooLongEndsInAnEllipsisAtTheLastCharacterThatFits) {
  const auto measure = [](std::string_view text) {
    int width = 0;
    for (std::size_t pos = 0; pos < text.size();) width += NextCodePoint(text, pos) >= 0x2E80 ? 12 : 6;
    return width;
  };
  EXPECT_EQ(FitLine("(建党节 香港回归纪念)", 84, measure), "(建党节 香港…");
  EXPECT_EQ(FitLine("(春节情人节)", 84, measure), "(春节情人节)");
  EXPECT_EQ(FitLine("立秋", 5, measure), "…");
}

}  // namespace
}  // namespace quillet

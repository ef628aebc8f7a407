#include <gtest/gtest.h>

#include "shell/dates.h"

namespace quillet {
namespace {

TEST(Dates, LeapYearsFollowTheFullGregorianRule) {
  EXPECT_TRUE(IsLeapYear(2004));
  EXPECT_FALSE(IsLeapYear(2005));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInMonth(2004, 2), 29);
  EXPECT_EQ(DaysInMonth(2005, 2), 28);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2005, 13), 0);
  EXPECT_EQ(DaysInMonth(2005, 0), 0);
  EXPECT_EQ(DaysInMonth(2005, -1), 0);
  EXPECT_EQ(DaysInMonth(2005, 4), 30);
  EXPECT_EQ(DaysInMonth(2005, 12), 31);
}

TEST(Dates, DayNumbersAreContinuousAndRoundTrip) {
  // Walk 1800-01-01 .. 2200-12-31 day by day with an independent counter of
  // month lengths; every step must add exactly one to the day number.
  CivilDate date{1800, 1, 1};
  int expected = DayNumber(date);
  int checked = 0;
  while (date.year <= 2200) {
    ASSERT_EQ(DayNumber(date), expected) << IsoDateText(date);
    ASSERT_EQ(DateFromDayNumber(expected), date) << expected;
    ++expected;
    ++checked;
    if (++date.day > DaysInMonth(date.year, date.month)) {
      date.day = 1;
      if (++date.month > 12) {
        date.month = 1;
        ++date.year;
      }
    }
  }
  EXPECT_EQ(checked, 146097 + 365);  // a 400-year era (1800..2199) and the common year 2200
  EXPECT_EQ(DayNumber({1970, 1, 1}), 0);
  EXPECT_EQ(DayNumber({2000, 3, 1}) - DayNumber({2000, 2, 28}), 2);
  EXPECT_EQ(DayNumber({1900, 3, 1}) - DayNumber({1900, 2, 28}), 1);
  EXPECT_EQ(DayNumber({2100, 12, 31}) - DayNumber({1900, 1, 31}) + 1, 73384);
}

TEST(Dates, IsoDatesAreStrict) {
  EXPECT_EQ(ParseIsoDate("2008-02-07"), (CivilDate{2008, 2, 7}));
  EXPECT_EQ(IsoDateText({2008, 2, 7}), "2008-02-07");
  EXPECT_EQ(ParseIsoDate("2000-02-29"), (CivilDate{2000, 2, 29}));
  for (const char* bad : {"1900-02-29", "2100-02-29", "2008-13-01", "2008-00-10", "2008-02-30",
                          "2008-2-7", "2008/02/07", "20080207", "", "2008-02-07 ", "+008-02-07",
                          "2008-02-0x"}) {
    EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace quillet

#include "base/date_time_text.h"

#include <gtest/gtest.h>

#include <random>

namespace quillet {
namespace {

TEST(SerialDays, EveryDayFrom1600To2400RoundTripsAndFollowsTheCalendar) {
  // Walks the calendar by its own month lengths (leap rule written out
  // independently) and checks both conversions at every step.
  std::int64_t serial = DayNumber(CivilDate{1600, 1, 1});
  EXPECT_EQ(serial, -135140);  // days from 1600-01-01 to 1970-01-01
  for (int y = 1600; y < 2400; ++y) {
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    const int lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) {
      ASSERT_EQ(DaysInMonth(y, m), lengths[m - 1]) << y << "-" << m;
      for (int d = 1; d <= lengths[m - 1]; ++d, ++serial) {
        const CivilDate date{y, m, d};
        ASSERT_EQ(DayNumber(date), serial) << y << "-" << m << "-" << d;
        ASSERT_EQ(DateFromDayNumber(static_cast<int>(serial)), date);
      }
    }
  }
  for (int month : {-1, 0, 13}) EXPECT_EQ(DaysInMonth(2005, month), 0);
}

TEST(SerialDays, IsoDatesAreStrict) {
  EXPECT_EQ(ParseIsoDate("2008-02-07"), (CivilDate{2008, 2, 7}));
  EXPECT_EQ(IsoDateText({2008, 2, 7}), "2008-02-07");
  EXPECT_EQ(ParseIsoDate("2000-02-29"), (CivilDate{2000, 2, 29}));
  for (const char* bad : {"1900-02-29", "2100-02-29", "2008-13-01", "2008-00-10", "2008-02-30",
                          "2008-2-7", "2008/02/07", "20080207", "", "2008-02-07 ", "+008-02-07",
                          "2008-02-0x"}) {
    EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
  }
}

TEST(BuildDateTime, CarriesOverflowingPartsIntoTheNextUnit) {
  EXPECT_EQ(BuildDateTime(2006, 2, 31, 0, 0, 0), MakeDateTime({2006, 3, 3}, 0, 0, 0));
  EXPECT_EQ(BuildDateTime(2006, 13, 1, 0, 0, 0), MakeDateTime({2007, 1, 1}, 0, 0, 0));
  EXPECT_EQ(BuildDateTime(2006, 0, 15, 0, 0, 0), MakeDateTime({2005, 12, 15}, 0, 0, 0));
  EXPECT_EQ(BuildDateTime(2006, 3, 0, 0, 0, 0), MakeDateTime({2006, 2, 28}, 0, 0, 0));
  EXPECT_EQ(BuildDateTime(2006, 12, 31, 23, 59, 60), (DateTime{DayNumber({2007, 1, 1}), 0}));
  EXPECT_EQ(BuildDateTime(2006, 5, 1, 8, 65, 0), (DateTime{DayNumber({2006, 5, 1}), 9 * 3600 + 5 * 60}));
}

TEST(ParseDateTimeText, ReadsTheFormsTheProgramWrites) {
  const std::pair<const char*, DateTime> cases[] = {
      {"2005-3-9 9:0", MakeDateTime({2005, 3, 9}, 9, 0, 0)},
      {"2005-03-09 09:00", MakeDateTime({2005, 3, 9}, 9, 0, 0)},
      {"  2006/5/1  8:05 ", MakeDateTime({2006, 5, 1}, 8, 5, 0)},
      {"2199-1-1 23:59:59", MakeDateTime({2199, 1, 1}, 23, 59, 59)},
      {"2000-2-29", MakeDateTime({2000, 2, 29}, 0, 0, 0)}};
  for (const auto& [text, moment] : cases) EXPECT_EQ(ParseDateTimeText(text), moment) << text;
}

TEST(ParseDateTimeText, RefusesEverythingElse) {
  for (const char* text :
       {"", "   ", "2006", "2006-5", "2006-5-", "2006-13-1", "2006-0-1", "2006-2-29",
        "1900-2-29", "2100-2-29", "2006-4-31", "2006-5-0", "2006-5-1 24:00", "2006-5-1 8:60",
        "2006-5-1 8:05:60", "2006-5-1 8", "2006-5-1 8:", "2006-5-1 8:05 pm", "06-5-1",
        "2006-5/1", "2006-5-1x", "8:05:00", "abc", "-2006-5-1", "2006-5-1 8:05:00:00",
        "2006-5-1 1234567890:0"}) {
    EXPECT_FALSE(ParseDateTimeText(text).has_value()) << '"' << text << '"';
  }
}

TEST(FormatNextDueText, WritesTheDueFormAndReadsBackTheSameMoment) {
  EXPECT_EQ(FormatNextDueText(MakeDateTime({2006, 12, 31}, 23, 0, 9)), "2006-12-31 23:00:09");
  EXPECT_EQ(FormatNextDueText(MakeDateTime({2006, 5, 1}, 0, 0, 0)), "2006-5-1");
  EXPECT_EQ(FormatNextDueText(MakeDateTime({2006, 5, 1}, 0, 0, 1)), "2006-5-1 0:00:01");
  EXPECT_EQ(FormatWorkDateTime({2005, 3, 9}, 9, 5), "2005-3-9 9:5");
  EXPECT_FALSE(HasTimeOfDay("2005-3-9"));
  EXPECT_FALSE(HasTimeOfDay("9:0"));
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int64_t> day(DayNumber({1900, 1, 1}), DayNumber({2199, 12, 31}));
  std::uniform_int_distribution<int> second(0, 86399);
  for (int i = 0; i < 2000; ++i) {
    const DateTime t{day(random), i % 10 == 0 ? 0 : second(random)};
    ASSERT_EQ(ParseDateTimeText(FormatNextDueText(t)), t) << FormatNextDueText(t);
  }
}

}  // namespace
}  // namespace quillet

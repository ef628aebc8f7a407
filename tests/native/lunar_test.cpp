#include <gtest/gtest.h>

#include "calendar/festivals.h"
#include "calendar/lunar.h"

namespace quillet {
namespace {

TEST(Lunar, KnownDates) {
  // Year names through the sixty-year cycle, from published Chinese
  // almanacs; the range test checks every month and day.
  const std::pair<CivilDate, const char*> known[] = {
      {{1900, 1, 31}, "农历庚子年(鼠)正月初一"},   {{1900, 3, 1}, "农历庚子年(鼠)二月初一"},
      {{1921, 2, 7}, "农历庚申年(猴)腊月三十"},    {{1921, 2, 8}, "农历辛酉年(鸡)正月初一"},
      {{1984, 2, 2}, "农历甲子年(鼠)正月初一"},    {{2006, 8, 24}, "农历丙戌年(狗)闰七月初一"},
      {{2008, 2, 6}, "农历丁亥年(猪)腊月三十"},    {{2012, 5, 21}, "农历壬辰年(龙)闰四月初一"},
      {{2021, 2, 12}, "农历辛丑年(牛)正月初一"},   {{2023, 3, 22}, "农历癸卯年(兔)闰二月初一"},
      {{2026, 2, 17}, "农历丙午年(马)正月初一"},   {{2033, 12, 22}, "农历癸丑年(牛)闰冬月初一"},
      {{2100, 3, 1}, "农历庚申年(猴)正月廿一"},  // 2100 is a common year
  };
  for (const auto& [date, text] : known) EXPECT_EQ(LunarDateText(date), text) << IsoDateText(date);
}

TEST(Lunar, OutsideTheRangeOrNotADateGivesNothing) {
  for (const CivilDate date : {CivilDate{1900, 1, 30}, {1899, 12, 31}, {2101, 1, 1}, {9999, 12, 31},
                               {-5, 1, 1}, {2100, 2, 29}, {1900, 2, 29}, {2008, 13, 1},
                               {2008, 0, 1}, {2008, 1, 0}}) {
    EXPECT_EQ(LunarDateText(date), "") << date.year << "-" << date.month << "-" << date.day;
  }
  EXPECT_FALSE(ToLunarDate(CivilDate{2101, 1, 1}).has_value());
  EXPECT_EQ(ToLunarDate(CivilDate{2100, 12, 31}), (LunarDate{2100, 12, 1}));
}

TEST(Festivals, LunarAndGregorianNamesJoinLunarFirst) {
  const std::pair<CivilDate, const char*> days[] = {
      {{2008, 2, 7}, "(春节)"},         {{2008, 1, 1}, "(元旦)"},
      {{2010, 2, 14}, "(春节情人节)"},  {{2006, 10, 6}, "(中秋节老人节)"},
      {{2006, 7, 31}, "(七夕情人节)"},  {{2009, 5, 28}, "(端午节)"},
      {{2006, 9, 9}, "(毛席逝世纪念)"}, {{2007, 4, 1}, "( 愚人节)"},
      {{2007, 7, 1}, "(建党节 香港回归纪念)"},
      {{2007, 8, 18}, "(我的生日)"},  // out of key order in the table
      {{2026, 9, 25}, "(中秋节)"},    // extended range
      {{2006, 8, 30}, ""},            // 闰七月初七: leap months have none
      {{2007, 3, 13}, ""},            // neither kind: never "()"
      {{2101, 1, 1}, "(元旦)"},       // outside the lunar range only Gregorian names count
  };
  for (const auto& [date, text] : days) EXPECT_EQ(FestivalText(date), text) << IsoDateText(date);
}

TEST(Festivals, LunarKeysNeedAWholeMonthAndDayName) {
  EXPECT_EQ(GregorianKey({2006, 4, 1}), "20060401");
  EXPECT_EQ(LunarMonthDayKey("正月初一"), "0101");
  EXPECT_EQ(LunarMonthDayKey("冬月十七"), "1117");
  EXPECT_EQ(LunarMonthDayKey("腊月三十"), "1230");
  for (const char* none : {"闰四月初一", "*月初一", "正月*", "正月", "初一", "", "正月初一 "}) {
    EXPECT_EQ(LunarMonthDayKey(none), "") << none;  // "*" is the lists' filler, not a name
  }
}

}  // namespace
}  // namespace quillet

#include <gtest/gtest.h>

#include "calendar/festivals.h"

namespace quillet {
namespace {

TEST(Festivals, LunarAndGregorianNamesJoinLunarFirst) {
  EXPECT_EQ(FestivalText({2008, 2, 7}), "(春节)");
  EXPECT_EQ(FestivalText({2008, 1, 1}), "(元旦)");
  EXPECT_EQ(FestivalText({2010, 2, 14}), "(春节情人节)");
  EXPECT_EQ(FestivalText({2006, 10, 6}), "(中秋节老人节)");
  EXPECT_EQ(FestivalText({2006, 7, 31}), "(七夕情人节)");
  EXPECT_EQ(FestivalText({2009, 5, 28}), "(端午节)");
  EXPECT_EQ(FestivalText({2006, 9, 9}), "(毛席逝世纪念)");
  EXPECT_EQ(FestivalText({2007, 4, 1}), "( 愚人节)");
  EXPECT_EQ(FestivalText({2007, 8, 1}), "( 建军节)");
  EXPECT_EQ(FestivalText({2007, 7, 1}), "(建党节 香港回归纪念)");
  EXPECT_EQ(FestivalText({2007, 8, 18}), "(我的生日)");  // out of key order in the table
  EXPECT_EQ(FestivalText({2026, 9, 25}), "(中秋节)");     // extended range
}

TEST(Festivals, LeapMonthDaysAndOrdinaryDaysHaveNone) {
  EXPECT_EQ(FestivalText({2006, 8, 30}), "");  // 闰七月初七
  EXPECT_EQ(FestivalText({2009, 6, 28}), "");  // 闰五月初六
  EXPECT_EQ(FestivalText({2007, 3, 13}), "");  // neither kind: never "()"
}

TEST(Festivals, OutsideTheLunarRangeOnlyGregorianNamesCount) {
  EXPECT_EQ(FestivalText({2101, 1, 1}), "(元旦)");
  EXPECT_EQ(FestivalText({1899, 1, 31}), "");
}

TEST(Festivals, Keys) {
  EXPECT_EQ(GregorianKey({2006, 4, 1}), "20060401");
  EXPECT_EQ(GregorianKey({2006, 12, 25}), "20061225");
  EXPECT_EQ(LunarMonthDayKey("正月初一"), "0101");
  EXPECT_EQ(LunarMonthDayKey("八月十五"), "0815");
  EXPECT_EQ(LunarMonthDayKey("冬月十七"), "1117");
  EXPECT_EQ(LunarMonthDayKey("腊月三十"), "1230");
  EXPECT_EQ(LunarMonthDayKey("闰四月初一"), "");
  EXPECT_EQ(LunarMonthDayKey("*月初一"), "");  // the filler is not a month
  EXPECT_EQ(LunarMonthDayKey("正月*"), "");
  EXPECT_EQ(LunarMonthDayKey("正月"), "");
  EXPECT_EQ(LunarMonthDayKey("初一"), "");
  EXPECT_EQ(LunarMonthDayKey(""), "");
  EXPECT_EQ(LunarMonthDayKey("正月初一 "), "");
}

}  // namespace
}  // namespace quillet

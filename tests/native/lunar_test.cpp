#include <gtest/gtest.h>

#include "calendar/lunar.h"

namespace quillet {
namespace {

TEST(Lunar, KnownDatesOfTheOriginalRange) {
  EXPECT_EQ(LunarDateText(CivilDate{1921, 2, 8}), "农历辛酉年(鸡)正月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2021, 2, 11}), "农历庚子年(鼠)腊月三十");
  EXPECT_EQ(LunarDateText(CivilDate{2008, 2, 6}), "农历丁亥年(猪)腊月三十");
  EXPECT_EQ(LunarDateText(CivilDate{2008, 2, 7}), "农历戊子年(鼠)正月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2020, 5, 23}), "农历庚子年(鼠)闰四月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2006, 8, 23}), "农历丙戌年(狗)七月三十");
  EXPECT_EQ(LunarDateText(CivilDate{2006, 8, 24}), "农历丙戌年(狗)闰七月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2012, 5, 21}), "农历壬辰年(龙)闰四月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2014, 11, 22}), "农历甲午年(马)十月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2020, 12, 31}), "农历庚子年(鼠)冬月十七");
  EXPECT_EQ(LunarDateText(CivilDate{2000, 2, 29}), "农历庚辰年(龙)正月廿五");
  EXPECT_EQ(LunarDateText(CivilDate{1984, 2, 2}), "农历甲子年(鼠)正月初一");
}

TEST(Lunar, KnownDatesOfTheExtendedRange) {
  // Lunar new years and leap months outside the original table, from
  // published Chinese almanacs.
  EXPECT_EQ(LunarDateText(CivilDate{1900, 1, 31}), "农历庚子年(鼠)正月初一");
  EXPECT_EQ(LunarDateText(CivilDate{1900, 9, 24}), "农历庚子年(鼠)闰八月初一");
  EXPECT_EQ(LunarDateText(CivilDate{1921, 2, 7}), "农历庚申年(猴)腊月三十");
  EXPECT_EQ(LunarDateText(CivilDate{2021, 2, 12}), "农历辛丑年(牛)正月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2023, 3, 22}), "农历癸卯年(兔)闰二月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2026, 2, 17}), "农历丙午年(马)正月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2033, 12, 22}), "农历癸丑年(牛)闰冬月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2100, 2, 9}), "农历庚申年(猴)正月初一");
  // 1900 and 2100 are common years: 28 February is followed by 1 March.
  EXPECT_EQ(LunarDateText(CivilDate{1900, 3, 1}), "农历庚子年(鼠)二月初一");
  EXPECT_EQ(LunarDateText(CivilDate{2100, 3, 1}), "农历庚申年(猴)正月廿一");
}

TEST(Lunar, OutsideTheRangeOrNotADateGivesNothing) {
  EXPECT_EQ(LunarDateText(CivilDate{1900, 1, 30}), "");
  EXPECT_EQ(LunarDateText(CivilDate{1899, 12, 31}), "");
  EXPECT_EQ(LunarDateText(CivilDate{2101, 1, 1}), "");
  EXPECT_EQ(LunarDateText(CivilDate{9999, 12, 31}), "");
  EXPECT_EQ(LunarDateText(CivilDate{-5, 1, 1}), "");
  EXPECT_EQ(LunarDateText(CivilDate{2100, 2, 29}), "");
  EXPECT_EQ(LunarDateText(CivilDate{1900, 2, 29}), "");
  EXPECT_EQ(LunarDateText(CivilDate{2008, 13, 1}), "");
  EXPECT_EQ(LunarDateText(CivilDate{2008, 0, 1}), "");
  EXPECT_EQ(LunarDateText(CivilDate{2008, 1, 0}), "");
  EXPECT_FALSE(ToLunarDate(CivilDate{2101, 1, 1}).has_value());
  ASSERT_TRUE(ToLunarDate(CivilDate{2100, 12, 31}).has_value());
  EXPECT_EQ(*ToLunarDate(CivilDate{2100, 12, 31}), (LunarDate{2100, 12, 1}));
}

TEST(Lunar, NameListsKeepTheirNumbering) {
  EXPECT_EQ(LunarMonthNames[0], "*");
  EXPECT_EQ(LunarMonthNames[1], "正");
  EXPECT_EQ(LunarMonthNames[11], "冬");
  EXPECT_EQ(LunarMonthNames[12], "腊");
  EXPECT_EQ(LunarDayNames[0], "*");
  EXPECT_EQ(LunarDayNames[1], "初一");
  EXPECT_EQ(LunarDayNames[21], "廿一");
  EXPECT_EQ(LunarDayNames[30], "三十");
}

}  // namespace
}  // namespace quillet

#include "calendar/lunar.h"

#include <cstdlib>

namespace quillet {

const std::array<std::string_view, 13> LunarMonthNames = {
    "*", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "冬", "腊"};
const std::array<std::string_view, 31> LunarDayNames = {
    "*",    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};
const std::array<std::string_view, 10> HeavenlyStems = {
    "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const std::array<std::string_view, 12> EarthlyBranches = {
    "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
const std::array<std::string_view, 12> ZodiacAnimals = {
    "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};

std::string LunarDateText(const LunarDate& lunar) {
  const int cycle = ((lunar.year - 4) % 60 + 60) % 60;  // 1984 is 甲子
  const int month = std::abs(lunar.month);
  if (month < 1 || month > 12 || lunar.day < 1 || lunar.day > 30) return {};
  std::string text = "农历";
  text += HeavenlyStems[cycle % 10];
  text += EarthlyBranches[cycle % 12];
  text += "年(";
  text += ZodiacAnimals[cycle % 12];
  text += ")";
  if (lunar.month < 0) text += "闰";
  text += LunarMonthNames[month];
  text += "月";
  text += LunarDayNames[lunar.day];
  return text;
}

std::string LunarDateText(const CivilDate& date) {
  const auto lunar = ToLunarDate(date);
  return lunar ? LunarDateText(*lunar) : std::string();
}

}  // namespace quillet

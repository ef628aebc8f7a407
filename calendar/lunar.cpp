#include "calendar/lunar.h"

#include <cstdint>
#include <cstdlib>

#include "calendar/lunar_table.h"

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

namespace {

constexpr int kYearCount = static_cast<int>(kLunarYearTable.size());

// Index of the highest month-length bit: 11 for a twelve-slot word, 12 for a
// thirteen-slot one (words below 0xFFF have no leap month).
constexpr int HighestSlotBit(std::uint32_t word) { return word < 0xFFF ? 11 : 12; }
constexpr int LeapPosition(std::uint32_t word) { return static_cast<int>(word >> 16); }

constexpr int YearLength(std::uint32_t word) {
  int days = 0;
  for (int n = HighestSlotBit(word); n >= 0; --n) days += 29 + static_cast<int>((word >> n) & 1);
  return days;
}

// Every word must decode the way the table comment says: a leap position
// 1..12 exactly when there are thirteen slots, nothing between the month
// bits and the leap position, and a plausible year length.
constexpr bool TableIsWellFormed() {
  for (const std::uint32_t word : kLunarYearTable) {
    const int leap = LeapPosition(word);
    if (leap > 12) return false;
    if ((leap == 0) != (word < 0xFFF)) return false;
    if (leap != 0 && (word & 0xE000) != 0) return false;
    const int days = YearLength(word);
    if (days < 353 || days > 385) return false;
  }
  return true;
}
static_assert(TableIsWellFormed(), "malformed lunar year word");

// Day offsets from 1900-01-31 of the first day of each lunar year, plus one
// past the last: yearStarts[i] .. yearStarts[i + 1] - 1 is lunar year 1900 + i.
constexpr std::array<int, kYearCount + 1> ComputeYearStarts() {
  std::array<int, kYearCount + 1> starts{};
  for (int i = 0; i < kYearCount; ++i) starts[i + 1] = starts[i] + YearLength(kLunarYearTable[i]);
  return starts;
}
constexpr std::array<int, kYearCount + 1> kYearStarts = ComputeYearStarts();

// The table must reach past the last day of the range (lunar 2100 ends in
// January 2101): 2100-12-31 is 73,383 days after 1900-01-31.
static_assert(kYearStarts[kYearCount] > 73383, "lunar table too short for the range");

}  // namespace

std::optional<LunarDate> ToLunarDate(const CivilDate& date) {
  if (!IsValidDate(date)) return std::nullopt;
  const int first = DayNumber(kLunarRangeFirst);
  const int dayNumber = DayNumber(date);
  if (dayNumber < first || dayNumber > DayNumber(kLunarRangeLast)) return std::nullopt;
  const int offset = dayNumber - first;  // [0, 73383]

  // The lunar year is the Gregorian year or the one before it (January and
  // early February dates before the lunar new year).
  int index = date.year - kLunarTableFirstYear;  // [0, 200]
  if (offset < kYearStarts[index]) --index;       // index >= 0: offset >= 0 = kYearStarts[0]

  // Walk the month slots of that year, first slot in the highest bit.
  const std::uint32_t word = kLunarYearTable[index];
  const int k = HighestSlotBit(word);
  int total = offset - kYearStarts[index] + 1;  // 1-based day within the lunar year
  int n = k;
  for (; n > 0; --n) {
    const int length = 29 + static_cast<int>((word >> n) & 1);
    if (total <= length) break;
    total -= length;
  }

  LunarDate lunar;
  lunar.year = kLunarTableFirstYear + index;
  lunar.day = total;
  const int slot = k - n + 1;
  const int leap = LeapPosition(word);
  if (k == 11) {
    lunar.month = slot;
  } else if (slot == leap + 1) {
    lunar.month = -leap;
  } else {
    lunar.month = slot > leap + 1 ? slot - 1 : slot;
  }
  return lunar;
}

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

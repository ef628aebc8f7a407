#include "base/lunar_date.h"

#include <cstdint>

#include "base/lunar_table.h"

namespace quillet {

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


namespace {

// The month slot (1..13) of a lunar month in a year's word, 0 for none.
int MonthSlot(std::uint32_t word, int month) {
  const int leap = LeapPosition(word);
  if (month < 0) return leap != 0 && -month == leap ? leap + 1 : 0;
  if (month < 1 || month > 12) return 0;
  return leap != 0 && month > leap ? month + 1 : month;
}

int SlotDays(std::uint32_t word, int slot) {
  return 29 + static_cast<int>((word >> (HighestSlotBit(word) - slot + 1)) & 1);
}

}  // namespace

int LunarMonthDays(int year, int month) {
  if (year < kLunarTableFirstYear || year > kLunarTableLastYear) return 0;
  const std::uint32_t word = kLunarYearTable[static_cast<std::size_t>(year - kLunarTableFirstYear)];
  const int slot = MonthSlot(word, month);
  return slot == 0 ? 0 : SlotDays(word, slot);
}

std::optional<CivilDate> FromLunarDate(const LunarDate& lunar) {
  if (lunar.day < 1 || lunar.day > LunarMonthDays(lunar.year, lunar.month)) return std::nullopt;
  const int index = lunar.year - kLunarTableFirstYear;  // [0, 200]
  const std::uint32_t word = kLunarYearTable[static_cast<std::size_t>(index)];
  int offset = kYearStarts[static_cast<std::size_t>(index)] + lunar.day - 1;
  for (int slot = 1; slot < MonthSlot(word, lunar.month); ++slot) offset += SlotDays(word, slot);
  const int dayNumber = DayNumber(kLunarRangeFirst) + offset;
  if (dayNumber > DayNumber(kLunarRangeLast)) return std::nullopt;
  return DateFromDayNumber(dayNumber);
}

}  // namespace quillet

// The Chinese lunar calendar as date arithmetic: a Gregorian date to its
// lunar year, month and day and back, over the constant table of
// lunar_table.h. The lunar engine's texts (calendar/lunar.h) and the
// reminders' lunar yearly repeat both build on it.
//
// Range: 1900-01-31 (lunar 1900, 正月初一) to 2100-12-31 (lunar 2100, 冬月),
// 73,384 days. A date outside it, or not a real date, has no lunar date.
#pragma once

#include <optional>

#include "base/dates.h"

namespace quillet {

inline constexpr CivilDate kLunarRangeFirst{1900, 1, 31};
inline constexpr CivilDate kLunarRangeLast{2100, 12, 31};

struct LunarDate {
  int year = 0;   // lunar year, named after the Gregorian year it starts in
  int month = 0;  // 1..12; -L for the leap month that follows month L
  int day = 0;    // 1..30
  friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

std::optional<LunarDate> ToLunarDate(const CivilDate& date);

// Days of a lunar month, 29 or 30; 0 when the year (1900..2100) has no such
// month (a leap month -L exists only in the year whose leap follows L).
int LunarMonthDays(int year, int month);

// The Gregorian date of a lunar date; nothing when the month does not exist,
// the day is past its length, or the date falls outside the range (the last
// days of lunar 2100 are in January 2101).
std::optional<CivilDate> FromLunarDate(const LunarDate& lunar);

}  // namespace quillet

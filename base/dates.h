// Gregorian date arithmetic around one serial day number, the pivot that
// every calendar of the program converts to and from (the lunar engine,
// the festival look-up, the day lists of the date pickers).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

struct CivilDate {
  int year = 0;   // proleptic Gregorian, astronomical numbering
  int month = 0;  // 1..12
  int day = 0;    // 1..DaysInMonth(year, month)
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Full Gregorian rule: every fourth year, except centuries not divisible by
// 400 (1900 and 2100 are common years, 2000 is a leap year).
bool IsLeapYear(int year);

// 31, 28/29, 31, 30, ... for months 1..12; 0 for any other month.
int DaysInMonth(int year, int month);

bool IsValidDate(const CivilDate& date);

// Days since 1970-01-01 (negative before it). The date must be valid; the
// year range is that of int divided by 366.
int DayNumber(const CivilDate& date);
CivilDate DateFromDayNumber(int dayNumber);

// Strict "YYYY-MM-DD" (four-digit year, two-digit month and day, a real
// date); anything else gives nothing.
std::optional<CivilDate> ParseIsoDate(std::string_view text);
std::string IsoDateText(const CivilDate& date);

}  // namespace quillet

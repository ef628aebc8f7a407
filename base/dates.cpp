#include "base/dates.h"

#include <cstdio>

namespace quillet {

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[month - 1];
}

bool IsValidDate(const CivilDate& date) {
  return date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

// The algorithms below count in eras of 400 years (146097 days) from
// 0000-03-01, so that the leap day is the last day of each counted year.
int DayNumber(const CivilDate& date) {
  const int y = date.year - (date.month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;                                        // [0, 399]
  const int monthFromMarch = date.month > 2 ? date.month - 3 : date.month + 9;  // [0, 11]
  const int dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;        // [0, 365]
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;  // [0, 146096]
  return era * 146097 + dayOfEra - 719468;
}

CivilDate DateFromDayNumber(int dayNumber) {
  const int z = dayNumber + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int dayOfEra = z - era * 146097;                                                  // [0, 146096]
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);   // [0, 365]
  const int monthFromMarch = (5 * dayOfYear + 2) / 153;                                   // [0, 11]
  CivilDate date;
  date.day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  date.month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
  return date;
}

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto number = [text](std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const CivilDate date{number(0, 4), number(5, 2), number(8, 2)};
  if (date.year < 0 || !IsValidDate(date)) return std::nullopt;
  return date;
}

std::string IsoDateText(const CivilDate& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
  return buffer;
}

}  // namespace quillet

// Date-time texts of the work records and reminders, and the calendar
// arithmetic behind them. Every date is reduced to one serial day number
// (days since 1970-01-01 in the proleptic Gregorian calendar) and a time of
// day in seconds; comparisons and sums work on those two numbers only.
//
// Texts read (ParseDateTimeText), blanks around the whole text and around
// the separators allowed:
//   Y-M-D             2006-5-1, 2006-05-01      (the time of day is 0:00:00)
//   Y-M-D h:m         2005-3-9 9:0, 2005-03-09 09:00
//   Y-M-D h:m:s       2006-5-1 8:05:00
// with "/" accepted in place of "-" (2006/5/1). Year 100..9999, month
// 1..12, day within the month, hour 0..23, minute and second 0..59. Anything
// else (two-digit years, month names, a time alone, trailing words) is not
// a date-time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/dates.h"

namespace quillet {

// One moment to the second: serial day plus seconds into that day.
struct DateTime {
  std::int64_t day = 0;  // days since 1970-01-01
  int second = 0;        // [0, 86399]
  std::int64_t SerialSeconds() const { return day * 86400 + second; }
  friend bool operator==(const DateTime&, const DateTime&) = default;
  friend bool operator<(const DateTime& a, const DateTime& b) {
    return a.SerialSeconds() < b.SerialSeconds();
  }
};

DateTime MakeDateTime(const CivilDate& date, int hour = 0, int minute = 0, int second = 0);
CivilDate DateOf(const DateTime& moment);

// Builds a moment from numbers that may lie outside their ranges, carrying
// as calendar arithmetic does: month 13 is January of the next year, day 31
// of February runs into March, day 0 is the last day of the month before,
// minute 60 is the next hour. Each number must lie within ±1,000,000 (the
// limit of the reminder editor's typed parts): the carried year then stays
// within ±1,100,000 and every sum fits.
DateTime BuildDateTime(std::int64_t year, std::int64_t month, std::int64_t day,
                       std::int64_t hour, std::int64_t minute, std::int64_t second);

// Reads a date-time text in one of the forms listed above.
std::optional<DateTime> ParseDateTimeText(std::string_view text);

// The next-due form of the reminder file: "2006-5-1 8:05:00"; a moment at
// exactly midnight is the date alone, "2006-5-1".
std::string FormatNextDueText(const DateTime& moment);

// The work-record form, no leading zeros anywhere: "2005-3-9 9:0".
std::string FormatWorkDateTime(const CivilDate& date, int hour, int minute);

}  // namespace quillet

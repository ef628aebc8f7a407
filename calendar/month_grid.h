// What the calendar window shows for one Gregorian month: 42 day cells in
// six Monday-first weeks, each with the day number, the lunar month and
// day, the festivals and the solar term, whether it is today, and the
// day's 休/班 mark. The window only puts these into its text boxes.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "base/dates.h"
#include "calendar/day_marks.h"

namespace quillet {

// The years the calendar offers: the lunar engine's years. Days of January
// 1900 before its first day have no lunar date.
inline constexpr int kCalendarFirstYear = 1900;
inline constexpr int kCalendarLastYear = 2100;
inline constexpr int kMonthGridCells = 42;

struct DayCell {
  int day = 0;            // 1..31; 0 for a cell outside the month
  bool today = false;
  std::string lunar;      // month-day text ("正月初一"); empty outside the lunar range
  std::string festival;   // FestivalText ("(春节情人节)") or empty
  std::string_view term;  // solar term ("雨水") or empty
  DayMark mark = DayMark::None;

  // The cell's lines: " 14", the lunar text, then the festival followed by
  // the term when either is there ("(父亲节)立秋"). Empty outside the month.
  std::string Line(int n) const;  // n = 0..2
  int LineCount() const;
  // Its whole text, lines joined by CR LF.
  std::string Text() const;
  // What a screen reader says for the cell of that month: the date in full,
  // the lunar text, festival and term, and the mark, joined by blanks
  // ("2026年10月1日 八月廿一 (国庆节) 休"). Empty outside the month.
  std::string SpokenText(int year, int month) const;
};

// Monday 0 .. Sunday 6.
int MondayFirstWeekday(const CivilDate& date);

// Day d of the month lies in cell MondayFirstWeekday(first of month) + d - 1.
std::array<DayCell, kMonthGridCells> MonthCells(int year, int month, const CivilDate& today,
                                                const DayMarks& marks);

// The line as it fits in width (units of measure): the whole line, or the
// longest start of it followed by "…" that fits (at least "…").
std::string FitLine(std::string_view line, int width,
                    const std::function<int(std::string_view)>& measure);

}  // namespace quillet

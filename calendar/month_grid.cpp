#include "calendar/month_grid.h"

#include "base/utf8.h"
#include "calendar/festivals.h"
#include "calendar/lunar.h"
#include "calendar/solar_terms.h"

namespace quillet {

namespace {

constexpr std::string_view kEllipsis = "…";

}  // namespace

std::string DayCell::Line(int n) const {
  if (day == 0) return {};
  switch (n) {
    case 0:
      return " " + std::to_string(day);
    case 1:
      return lunar;
    case 2:
      return festival + std::string(term);
    default:
      return {};
  }
}

int DayCell::LineCount() const {
  if (day == 0) return 0;
  return festival.empty() && term.empty() ? 2 : 3;
}

std::string DayCell::Text() const {
  std::string text;
  for (int n = 0; n < LineCount(); ++n) {
    if (n > 0) text += "\r\n";
    text += Line(n);
  }
  return text;
}

std::string DayCell::SpokenText(int year, int month) const {
  if (day == 0) return {};
  std::string text = std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日";
  for (int n = 1; n < LineCount(); ++n) {
    if (!Line(n).empty()) text += " " + Line(n);
  }
  if (mark != DayMark::None) text += " " + std::string(DayMarkText(mark));
  return text;
}

int MondayFirstWeekday(const CivilDate& date) {
  // Day 0, 1970-01-01, was a Thursday (3).
  const int n = DayNumber(date) % 7;
  return (n + 7 + 3) % 7;
}

std::array<DayCell, kMonthGridCells> MonthCells(int year, int month, const CivilDate& today,
                                                const DayMarks& marks) {
  std::array<DayCell, kMonthGridCells> cells{};
  if (!IsValidDate(CivilDate{year, month, 1})) return cells;
  const int first = MondayFirstWeekday(CivilDate{year, month, 1});
  for (int day = 1; day <= DaysInMonth(year, month); ++day) {
    const CivilDate date{year, month, day};
    DayCell& cell = cells[static_cast<std::size_t>(first + day - 1)];  // [0, 36]
    cell.day = day;
    cell.today = date == today;
    const std::string lunar = LunarDateText(date);
    const std::size_t bracket = lunar.find(')');
    if (bracket != std::string::npos) cell.lunar = lunar.substr(bracket + 1);
    cell.festival = FestivalText(date);
    cell.term = SolarTermOn(date);
    cell.mark = marks.On(date);
  }
  return cells;
}

std::string FitLine(std::string_view line, int width,
                    const std::function<int(std::string_view)>& measure) {
  if (measure(line) <= width) return std::string(line);
  // Grows the start a code point at a time while it still fits.
  std::string best(kEllipsis);
  std::size_t pos = 0;
  while (pos < line.size()) {
    NextCodePoint(line, pos);
    std::string candidate(line.substr(0, pos));
    candidate += kEllipsis;
    if (measure(candidate) > width) break;
    best = std::move(candidate);
  }
  return best;
}

}  // namespace quillet

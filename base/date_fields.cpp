#include "base/date_fields.h"

#include "base/dates.h"
#include "base/numbers.h"

namespace quillet {

DayList FillDayList(std::string_view yearText, std::string_view monthText, std::string_view dayText) {
  const int year = LenientInt16(yearText);
  const int month = LenientInt16(monthText);
  const int length = DaysInMonth(year, month);
  DayList list;
  list.items.reserve(static_cast<std::size_t>(length));
  for (int day = 1; day <= length; ++day) list.items.push_back(std::to_string(day));
  list.text = LenientNumber(dayText) > length ? std::to_string(length) : std::string(dayText);
  return list;
}

namespace {

// Cuts the text before the first separator off rest and returns it; without
// the separator the whole rest is the field and nothing remains.
std::string_view TakeField(std::string_view& rest, char separator) {
  const std::size_t at = rest.find(separator);
  std::string_view field = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return field;
}

}  // namespace

std::int16_t DateTimeField(std::string_view text, std::string_view part) {
  if (part.empty()) return 0;
  if (text.find('-') == std::string_view::npos || text.find(':') == std::string_view::npos) return 0;
  const char which = part.front();
  std::string_view rest = text;
  const std::string_view year = TakeField(rest, '-');
  if (which == 'Y') return LenientInt16(year);
  const std::string_view month = TakeField(rest, '-');
  if (which == 'M') return LenientInt16(month);
  const std::string_view day = TakeField(rest, ' ');
  if (which == 'D') return LenientInt16(day);
  const std::string_view hour = TakeField(rest, ':');
  if (which == 'h') return LenientInt16(hour);
  if (which == 'm') return LenientInt16(rest);
  return 0;
}

}  // namespace quillet

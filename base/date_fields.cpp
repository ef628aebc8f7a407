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

}  // namespace quillet

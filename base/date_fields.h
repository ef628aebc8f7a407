// Date helpers of the windows' date pickers and of the work-record dates.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// A year / month / day triple of drop-down lists after FillDayList: the day
// list's new items and its new text.
struct DayList {
  std::vector<std::string> items;  // "1", "2", ... up to the month's length
  std::string text;
};

// Refills the day list of a year / month / day triple from the texts of the
// year and month lists (read by the lenient number rule, rounded to 16-bit
// integers) and keeps the day text, lowered to the month's last day when it
// is greater. A month text that is no month gives an empty list; the day
// text is then "0" when it held a positive day (lowered to the length 0) and
// kept otherwise.
DayList FillDayList(std::string_view yearText, std::string_view monthText, std::string_view dayText);

}  // namespace quillet

// Date helpers of the windows' date pickers and of the work-record dates.
#pragma once

#include <cstdint>
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

// One field of a date-time text "year-month-day hour:minute" (as the work
// records store it, without leading zeros): only the first character of part
// counts, case-sensitively: 'Y', 'M', 'D', 'h' or 'm'; anything else gives 0.
// A text without "-" or without ":" gives 0 for every part. Each field is
// read by the lenient number rule and rounded to a 16-bit integer; where a
// separator is missing on the way, the field runs to the end of the text and
// the fields after it are empty (0).
std::int16_t DateTimeField(std::string_view text, std::string_view part);

}  // namespace quillet

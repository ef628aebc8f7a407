// Chinese lunar calendar engine: the lunar date of a Gregorian date
// (base/lunar_date.h) and the one-line Chinese text the panel, the calendar
// and the festival look-up use. A date outside the range of
// base/lunar_date.h has an empty text.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/lunar_date.h"

namespace quillet {

// Position n is month n or day n; position 0 holds the filler "*". The
// festival look-up searches these lists by name and relies on that numbering.
extern const std::array<std::string_view, 13> LunarMonthNames;  // "正" .. "腊"
extern const std::array<std::string_view, 31> LunarDayNames;    // "初一" .. "三十"
extern const std::array<std::string_view, 10> HeavenlyStems;
extern const std::array<std::string_view, 12> EarthlyBranches;
extern const std::array<std::string_view, 12> ZodiacAnimals;

// "农历" + stem + branch + "年(" + animal + ")" + month part + "月" + day name,
// for example 农历戊子年(鼠)正月初一 or 农历庚子年(鼠)闰四月初一; the year part
// always ends at the first ")". Empty outside the range.
std::string LunarDateText(const CivilDate& date);

// Same text for a lunar date (which must be one the engine produces).
std::string LunarDateText(const LunarDate& lunar);

}  // namespace quillet

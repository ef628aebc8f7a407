// Chinese lunar calendar engine: Gregorian date -> lunar year, month, day,
// and the one-line Chinese text the panel, the calendar and the festival
// look-up use. Pure functions over the constant table of lunar_table.h.
//
// Range: 1900-01-31 (lunar 1900, 正月初一) to 2100-12-31 (lunar 2100, 冬月),
// 73,384 days. A date outside it, or not a real date, has no lunar date:
// ToLunarDate gives nothing and LunarDateText an empty text.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/dates.h"

namespace quillet {

inline constexpr CivilDate kLunarRangeFirst{1900, 1, 31};
inline constexpr CivilDate kLunarRangeLast{2100, 12, 31};

struct LunarDate {
  int year = 0;   // lunar year, named after the Gregorian year it starts in
  int month = 0;  // 1..12; -L for the leap month that follows month L
  int day = 0;    // 1..30
  friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// Position n is month n or day n; position 0 holds the filler "*". The
// festival look-up searches these lists by name and relies on that numbering.
extern const std::array<std::string_view, 13> LunarMonthNames;  // "正" .. "腊"
extern const std::array<std::string_view, 31> LunarDayNames;    // "初一" .. "三十"
extern const std::array<std::string_view, 10> HeavenlyStems;
extern const std::array<std::string_view, 12> EarthlyBranches;
extern const std::array<std::string_view, 12> ZodiacAnimals;

std::optional<LunarDate> ToLunarDate(const CivilDate& date);

// "农历" + stem + branch + "年(" + animal + ")" + month part + "月" + day name,
// for example 农历戊子年(鼠)正月初一 or 农历庚子年(鼠)闰四月初一; the year part
// always ends at the first ")". Empty outside the range.
std::string LunarDateText(const CivilDate& date);

// Same text for a lunar date (which must be one the engine produces).
std::string LunarDateText(const LunarDate& lunar);

}  // namespace quillet

// Festival look-up: the names of the lunar and Gregorian festivals that fall
// on a date, from two fixed tables (calendar window, third line of a cell).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include <optional>

#include "base/dates.h"
#include "calendar/lunar.h"

namespace quillet {

// Each entry is a four-digit key MMDD followed directly by the name; the name
// is everything after the key, a leading blank included ("0401 愚人节").
extern const std::array<std::string_view, 9> LunarFestivals;
extern const std::array<std::string_view, 25> GregorianFestivals;

// Empty when nothing falls on the date, otherwise "(" + lunar name +
// Gregorian name + ")". Outside the lunar engine's range only the Gregorian
// table is consulted.
std::string FestivalText(const CivilDate& date);
// The same, for a caller that already has the date's lunar date.
std::string FestivalText(const CivilDate& date, const std::optional<LunarDate>& lunar);

// Year in decimal without leading zeros, then month and day as two digits
// each: 2006-04-01 gives "20060401".
std::string GregorianKey(const CivilDate& date);

}  // namespace quillet

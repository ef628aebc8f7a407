// The 24 solar terms (节气) of the Gregorian years 1900..2100 on their days
// in Beijing time, from the generated table of solar_term_table.h. Two
// terms fall in every month: term k (0 = 小寒 .. 23 = 冬至) in month
// k / 2 + 1.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "base/dates.h"

namespace quillet {

inline constexpr CivilDate kSolarTermsFirst{1900, 1, 1};
inline constexpr CivilDate kSolarTermsLast{2100, 12, 31};

// In the order of a Gregorian year, 小寒 first.
extern const std::array<std::string_view, 24> SolarTermNames;

// The day of term k (0..23) of year; nothing outside 1900..2100 or 0..23.
std::optional<CivilDate> SolarTermDate(int year, int term);

// The name of the term that falls on date, or an empty text.
std::string_view SolarTermOn(const CivilDate& date);

}  // namespace quillet

#include "calendar/solar_terms.h"

#include "calendar/solar_term_table.h"

namespace quillet {

const std::array<std::string_view, 24> SolarTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

std::optional<CivilDate> SolarTermDate(int year, int term) {
  if (year < kSolarTermFirstYear || year > kSolarTermLastYear || term < 0 || term > 23) {
    return std::nullopt;
  }
  const std::uint64_t word = kSolarTermTable[static_cast<std::size_t>(year - kSolarTermFirstYear)];
  const int offset = static_cast<int>((word >> (2 * term)) & 3);  // [0, 3]
  return CivilDate{year, term / 2 + 1, kSolarTermBaseDays[static_cast<std::size_t>(term)] + offset};
}

std::string_view SolarTermOn(const CivilDate& date) {
  // The month's two terms are the only candidates.
  for (int term = 2 * (date.month - 1); term < 2 * date.month && term >= 0; ++term) {
    const auto day = SolarTermDate(date.year, term);
    if (day && *day == date) return SolarTermNames[static_cast<std::size_t>(term)];
  }
  return {};
}

}  // namespace quillet

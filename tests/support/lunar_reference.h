// Every day of lunar years 1900..2100 from tests/data/lunar_months.txt (lunar-javascript), for
// checks of the lunar engine and of what builds on it.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/lunar_date.h"

namespace quillet {

struct ReferenceDay { CivilDate date; LunarDate lunar; };

// Reference lines: lunar year, its first day, then month:length ...
inline std::vector<ReferenceDay> ReferenceDays() {
  std::vector<ReferenceDay> out;
  std::ifstream in(QUILLET_SOURCE_DIR "/tests/data/lunar_months.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int year = 0;
    std::string first, month;
    fields >> year >> first;
    const auto start = ParseIsoDate(first);
    int day = start ? DayNumber(*start) : 0;
    EXPECT_TRUE(start && (out.empty() || day == DayNumber(out.back().date) + 1)) << line;
    while (fields >> month) {
      const int length = std::stoi(month.substr(month.find(':') + 1));
      for (int d = 1; d <= length; ++d) out.push_back({DateFromDayNumber(day++), {year, std::stoi(month), d}});
    }
  }
  return out;
}

}  // namespace quillet

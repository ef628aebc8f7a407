// The command line of quillet-lunar (see tools/quillet-lunar.cpp): what to
// list and over which days, or why the arguments are refused.
#pragma once

#include <string>
#include <vector>

#include "base/dates.h"
#include "calendar/lunar.h"
#include "calendar/solar_terms.h"

namespace quillet {

enum class Listing { Days, SolarTerms, Holidays };

struct LunarArgs {
  Listing listing = Listing::Days;
  std::string holidayFile;
  bool holidayFileNamed = false;
  CivilDate range[2];  // FROM and TO, in order and inside the listing's range
  std::string error;   // not empty: the arguments are refused for this reason
};

// args: the arguments after the program's name.
inline LunarArgs ParseLunarArgs(const std::vector<std::string>& args) {
  LunarArgs result;
  const auto fail = [&result](std::string message) {
    result.error = std::move(message);
    return result;
  };
  std::vector<std::string> dates;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--solar-terms" && result.listing == Listing::Days) {
      result.listing = Listing::SolarTerms;
    } else if (arg == "--holidays" && result.listing == Listing::Days) {
      result.listing = Listing::Holidays;
    } else if (arg == "--holiday-file" && !result.holidayFileNamed && i + 1 < args.size()) {
      result.holidayFile = args[++i];
      result.holidayFileNamed = true;
    } else if (arg.rfind("--", 0) == 0) {
      return fail("unexpected option '" + arg + "'");
    } else {
      dates.push_back(arg);
    }
  }
  if (result.holidayFileNamed && result.listing != Listing::Holidays) {
    return fail("--holiday-file goes with --holidays");
  }
  if (dates.size() != 2) return fail("expected two dates");

  const CivilDate first = result.listing == Listing::Days ? kLunarRangeFirst : kSolarTermsFirst;
  const CivilDate last = result.listing == Listing::Days ? kLunarRangeLast : kSolarTermsLast;
  for (std::size_t i = 0; i < 2; ++i) {
    const std::string& text = dates[i];
    const auto date = ParseIsoDate(text);
    if (!date) return fail("'" + text + "' is not a date of the form YYYY-MM-DD");
    if (DayNumber(*date) < DayNumber(first) || DayNumber(*date) > DayNumber(last)) {
      return fail(text + " is outside the range " + IsoDateText(first) + ".." + IsoDateText(last));
    }
    result.range[i] = *date;
  }
  if (DayNumber(result.range[0]) > DayNumber(result.range[1])) return fail("FROM lies after TO");
  return result;
}

}  // namespace quillet

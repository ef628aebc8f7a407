// Any arguments (NUL-separated): no crash, leak or UB; accepted ones name two days in order inside
// the listing's range, and a holiday file only with --holidays.
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "tools/quillet_lunar_args.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back(); else args.back() += static_cast<char>(data[i]);
  }
  const LunarArgs parsed = ParseLunarArgs(args);
  if (!parsed.error.empty()) return 0;
  const bool days = parsed.listing == Listing::Days;
  FUZZ_CHECK(DayNumber(days ? kLunarRangeFirst : kSolarTermsFirst) <= DayNumber(parsed.range[0]));
  FUZZ_CHECK(DayNumber(parsed.range[0]) <= DayNumber(parsed.range[1]));
  FUZZ_CHECK(DayNumber(parsed.range[1]) <= DayNumber(days ? kLunarRangeLast : kSolarTermsLast));
  FUZZ_CHECK(!parsed.holidayFileNamed || parsed.listing == Listing::Holidays);
  return 0;
}

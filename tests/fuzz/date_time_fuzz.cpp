// Any text and any numbers: no crash, leak or UB; a date-time read back from its own next-due
// text is the same moment, and carried numbers give a moment with a time of day in range.
#include "base/date_time_text.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  fuzz::Input input(data, size);
  constexpr std::int64_t kBig = 1000000;  // the documented domain
  std::int64_t numbers[6];
  for (std::int64_t& n : numbers) n = input.Number(-kBig, kBig);
  const DateTime built = BuildDateTime(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);
  FUZZ_CHECK(built.second >= 0 && built.second < 86400);
  const auto moment = ParseDateTimeText(input.rest);
  if (moment) {
    FUZZ_CHECK(moment->second >= 0 && moment->second < 86400);
    FUZZ_CHECK(ParseDateTimeText(FormatNextDueText(*moment)) == moment);
  }
  return 0;
}

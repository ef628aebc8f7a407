// Any Holiday.dat: no crash, leak or UB; the marks come out in date order, each a day off or a
// working day, and asking for a day gives its mark.
#include "calendar/day_marks.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  DayMarks marks;
  FUZZ_CHECK(ReadDayMarks(fuzz::PutFile("Holiday.dat", bytes), &marks));
  int previous = DayNumber(CivilDate{1, 1, 1}) - 1;
  for (const auto& [date, mark] : marks.Between(CivilDate{1, 1, 1}, CivilDate{9999, 12, 31})) {
    FUZZ_CHECK(DayNumber(date) > previous);
    previous = DayNumber(date);
    FUZZ_CHECK(mark != DayMark::None && marks.On(date) == mark);
  }
  return 0;
}

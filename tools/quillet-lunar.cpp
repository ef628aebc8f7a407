// quillet-lunar FROM TO: prints, for every day from FROM to TO inclusive
// (ISO dates YYYY-MM-DD), one line "date<TAB>LunarDateText<TAB>FestivalText"
// in UTF-8 with LF line ends. It is the way to compare the lunar engine with
// another calendar. A bad or out-of-range argument is reported on stderr
// with exit status 2.
#include <cstdio>
#include <string>

#include "base/dates.h"
#include "calendar/festivals.h"
#include "calendar/lunar.h"

namespace {

constexpr int kUsageError = 2;

int Fail(const std::string& message) {
  std::fprintf(stderr, "quillet-lunar: %s\n", message.c_str());
  std::fprintf(stderr, "usage: quillet-lunar FROM TO   (dates YYYY-MM-DD, %s..%s)\n",
               quillet::IsoDateText(quillet::kLunarRangeFirst).c_str(),
               quillet::IsoDateText(quillet::kLunarRangeLast).c_str());
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillet;
  if (argc != 3) return Fail("expected two dates");

  int days[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    const std::string text = argv[i + 1];
    const auto date = ParseIsoDate(text);
    if (!date) return Fail("'" + text + "' is not a date of the form YYYY-MM-DD");
    days[i] = DayNumber(*date);
    if (days[i] < DayNumber(kLunarRangeFirst) || days[i] > DayNumber(kLunarRangeLast)) {
      return Fail(text + " is outside the lunar calendar's range");
    }
  }
  if (days[0] > days[1]) return Fail("FROM lies after TO");

  std::string line;
  for (int day = days[0]; day <= days[1]; ++day) {
    const CivilDate date = DateFromDayNumber(day);
    line = IsoDateText(date);
    line += '\t';
    line += LunarDateText(date);
    line += '\t';
    line += FestivalText(date);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

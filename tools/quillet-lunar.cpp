// quillet-lunar FROM TO: prints, for every day from FROM to TO inclusive
// (ISO dates YYYY-MM-DD), one line "date<TAB>LunarDateText<TAB>FestivalText".
// quillet-lunar --solar-terms FROM TO: one line "date<TAB>term" for every
// solar term in the range.
// quillet-lunar --holidays FROM TO [--holiday-file PATH]: one line
// "date<TAB>休" or "date<TAB>班" for every marked day in the range, from
// Holiday.dat beside this program or from PATH.
// Output is UTF-8 with LF line ends; it is the way to compare the calendar
// with another one. A bad or out-of-range argument, or a holiday file that
// cannot be read, is reported on stderr with exit status 2.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/dates.h"
#include "base/paths.h"
#include "calendar/day_marks.h"
#include "calendar/festivals.h"
#include "calendar/lunar.h"
#include "calendar/solar_terms.h"
#include "tools/quillet_lunar_args.h"

namespace {

using namespace quillet;

constexpr int kUsageError = 2;

int Fail(const std::string& message) {
  std::fprintf(stderr, "quillet-lunar: %s\n", message.c_str());
  std::fprintf(stderr,
               "usage: quillet-lunar FROM TO                 lunar dates and festivals, %s..%s\n"
               "       quillet-lunar --solar-terms FROM TO   solar terms, %s..%s\n"
               "       quillet-lunar --holidays FROM TO [--holiday-file PATH]\n"
               "                                             days off and make-up working days\n"
               "       (dates YYYY-MM-DD)\n",
               IsoDateText(kLunarRangeFirst).c_str(), IsoDateText(kLunarRangeLast).c_str(),
               IsoDateText(kSolarTermsFirst).c_str(), IsoDateText(kSolarTermsLast).c_str());
  return kUsageError;
}

// The folder of this executable (the holiday file is delivered beside it).
std::string ProgramFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv0, error);
  return self.parent_path().string();
}

bool Write(std::string& out) {
  const bool ok = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
  out.clear();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  LunarArgs args = ParseLunarArgs(std::vector<std::string>(argv + 1, argv + argc));
  if (!args.error.empty()) return Fail(args.error);
  const Listing listing = args.listing;
  const CivilDate* range = args.range;
  std::string& holidayFile = args.holidayFile;

  std::string out;
  bool ok = true;
  if (listing == Listing::Holidays) {
    if (!args.holidayFileNamed) holidayFile = FileInFolder(ProgramFolder(argv[0]), kHolidayFileName);
    DayMarks marks;
    if (!ReadDayMarks(holidayFile, &marks)) return Fail("cannot read the holiday file " + holidayFile);
    for (const auto& [date, mark] : marks.Between(range[0], range[1])) {
      out += IsoDateText(date) + "\t" + std::string(DayMarkText(mark)) + "\n";
    }
  } else if (listing == Listing::SolarTerms) {
    for (int year = range[0].year; year <= range[1].year; ++year) {
      for (int term = 0; term < 24; ++term) {
        const CivilDate date = *SolarTermDate(year, term);
        if (DayNumber(date) < DayNumber(range[0]) || DayNumber(date) > DayNumber(range[1])) continue;
        out += IsoDateText(date) + "\t" + std::string(SolarTermNames[static_cast<std::size_t>(term)]) + "\n";
      }
    }
  } else {
    for (int day = DayNumber(range[0]); day <= DayNumber(range[1]); ++day) {
      const CivilDate date = DateFromDayNumber(day);
      out += IsoDateText(date);
      out += '\t';
      const auto lunar = ToLunarDate(date);
      if (lunar) out += LunarDateText(*lunar);
      out += '\t';
      out += FestivalText(date, lunar);
      out += '\n';
      if (out.size() > (1 << 16)) ok = Write(out) && ok;
    }
  }
  ok = Write(out) && ok;
  return ok && std::fflush(stdout) == 0 ? 0 : 1;
}

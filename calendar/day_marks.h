// Statutory days off (休) and make-up working days (班) of mainland China,
// from the plain file Holiday.dat: the copy delivered beside the program,
// merged year by year with the user's own copy in the data folder, which
// wins for every year it marks any day in (so years the user added survive
// upgrades, and years a newer delivered file adds still show). A file that
// is missing or cannot be read gives no marks and no error.
//
// The file is code page 936 (UTF-8 after a byte-order mark is taken too),
// one day a line: "YYYY-MM-DD 休" or "YYYY-MM-DD 班", then optionally a
// blank and any remark. Lines starting with "#", blank lines and lines in
// any other form are skipped; a later line for the same day wins.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/dates.h"

namespace quillet {

inline constexpr std::string_view kHolidayFileName = "Holiday.dat";

enum class DayMark : std::uint8_t { None, DayOff, WorkDay };

// "休", "班", or an empty text.
std::string_view DayMarkText(DayMark mark);

class DayMarks {
 public:
  // The marks of the file's text (already decoded to UTF-8).
  static DayMarks FromText(std::string_view text);

  DayMark On(const CivilDate& date) const;
  // The marked days from first to last inclusive, in date order.
  std::vector<std::pair<CivilDate, DayMark>> Between(const CivilDate& first,
                                                     const CivilDate& last) const;
  bool empty() const { return marks_.empty(); }
  // Every year in which `preferred` marks any day takes the marks of
  // `preferred` for that year instead of these.
  void TakeYearsOf(const DayMarks& preferred);

 private:
  std::map<int, DayMark> marks_;  // by DayNumber
};

// The marks of one file; false when it is missing or cannot be read.
bool ReadDayMarks(const std::string& path, DayMarks* marks);

// The marks of Holiday.dat in the program's folder, with those of the one
// in the data folder for each year that file marks (TakeYearsOf).
DayMarks LoadDayMarks(const std::string& dataFolder, const std::string& programFolder);

}  // namespace quillet

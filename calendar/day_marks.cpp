#include "calendar/day_marks.h"

#include <set>

#include "base/codepage.h"
#include "base/file_store.h"
#include "base/paths.h"
#include "base/text_lines.h"

namespace quillet {

namespace {

constexpr std::string_view kDayOff = "休";
constexpr std::string_view kWorkDay = "班";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kDateLength = 10;  // YYYY-MM-DD

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view DayMarkText(DayMark mark) {
  switch (mark) {
    case DayMark::DayOff:
      return kDayOff;
    case DayMark::WorkDay:
      return kWorkDay;
    case DayMark::None:
      break;
  }
  return {};
}

DayMarks DayMarks::FromText(std::string_view text) {
  DayMarks result;
  ForEachLine(text, [&result](std::string_view line) {
    const auto date = ParseIsoDate(line.substr(0, kDateLength));
    if (!date || line.size() <= kDateLength || !IsBlank(line[kDateLength])) return;
    std::size_t at = kDateLength;
    while (at < line.size() && IsBlank(line[at])) ++at;
    const std::string_view rest = line.substr(at);
    DayMark mark = DayMark::None;
    for (const DayMark m : {DayMark::DayOff, DayMark::WorkDay}) {
      const std::string_view word = DayMarkText(m);
      if (rest.substr(0, word.size()) == word &&
          (rest.size() == word.size() || IsBlank(rest[word.size()]))) {
        mark = m;
      }
    }
    if (mark != DayMark::None) result.marks_[DayNumber(*date)] = mark;
  });
  return result;
}

DayMark DayMarks::On(const CivilDate& date) const {
  if (!IsValidDate(date)) return DayMark::None;
  const auto found = marks_.find(DayNumber(date));
  return found == marks_.end() ? DayMark::None : found->second;
}

std::vector<std::pair<CivilDate, DayMark>> DayMarks::Between(const CivilDate& first,
                                                             const CivilDate& last) const {
  std::vector<std::pair<CivilDate, DayMark>> days;
  if (!IsValidDate(first) || !IsValidDate(last)) return days;
  const auto end = marks_.upper_bound(DayNumber(last));
  for (auto it = marks_.lower_bound(DayNumber(first)); it != end; ++it) {
    days.emplace_back(DateFromDayNumber(it->first), it->second);
  }
  return days;
}

void DayMarks::TakeYearsOf(const DayMarks& preferred) {
  std::set<int> years;
  for (const auto& [day, mark] : preferred.marks_) years.insert(DateFromDayNumber(day).year);
  std::erase_if(marks_, [&years](const auto& entry) { return years.count(DateFromDayNumber(entry.first).year) != 0; });
  marks_.insert(preferred.marks_.begin(), preferred.marks_.end());
}

bool ReadDayMarks(const std::string& path, DayMarks* marks) {
  // A year of marks is about 40 lines; a file this large is not one.
  constexpr std::size_t kMaxBytes = std::size_t{4} << 20;
  const FileContents file = ReadWholeFile(path, kMaxBytes);
  if (file.status != FileStatus::Ok) return false;
  const std::string_view bytes = file.bytes;
  *marks = DayMarks::FromText(bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom
                                  ? std::string(bytes.substr(kUtf8Bom.size()))
                                  : DecodeCp936(bytes).utf8);
  return true;
}

DayMarks LoadDayMarks(const std::string& dataFolder, const std::string& programFolder) {
  DayMarks marks, users;
  if (!programFolder.empty()) ReadDayMarks(FileInFolder(programFolder, kHolidayFileName), &marks);
  if (!dataFolder.empty() && ReadDayMarks(FileInFolder(dataFolder, kHolidayFileName), &users)) {
    marks.TakeYearsOf(users);
  }
  return marks;
}

}  // namespace quillet

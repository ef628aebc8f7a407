// The holiday file's reader: the line rules, both encodings, and the user's
// copy in the data folder before the one beside the program.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/codepage.h"
#include "calendar/day_marks.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

std::string Listed(const DayMarks& marks, const char* first = "1900-01-01", const char* last = "2100-12-31") {
  std::string out;
  for (const auto& [date, mark] : marks.Between(*ParseIsoDate(first), *ParseIsoDate(last))) {
    out += IsoDateText(date) + std::string(DayMarkText(mark)) + " ";
  }
  return out;
}

TEST(DayMarks, OneDayALineCommentsAndOddLinesSkippedTheLastLineOfADayWins) {
  const DayMarks marks = DayMarks::FromText(
      "# 2026-01-01 休\r\n"
      "2026-10-10 班 国庆节\r\n"
      "2026-10-01\t休\n"
      "2026-10-02 休息\r"             // a word that only starts with 休
      "2026-10-03休\r\n"              // no blank after the date
      " 2026-10-04 休\r\n"            // the date must start the line
      "2026-02-30 休\r\n"             // no such day
      "2026-10-05 班\r\n2026-10-05  休\r\n"
      "2026-10-06 假\r\n"
      "2026-10-07 休");               // no line end
  EXPECT_EQ(Listed(marks), "2026-10-01休 2026-10-05休 2026-10-07休 2026-10-10班 ");
  EXPECT_EQ(Listed(marks, "2026-10-05", "2026-10-07"), "2026-10-05休 2026-10-07休 ");
  EXPECT_EQ(marks.On(CivilDate{2026, 10, 10}), DayMark::WorkDay);
  EXPECT_EQ(marks.On(CivilDate{2026, 10, 11}), DayMark::None);
  EXPECT_EQ(marks.On(CivilDate{2026, 13, 1}), DayMark::None);
}

class HolidayFiles : public testing_support::ScratchFolderTest {
 protected:
  std::string Folder(const char* name) const {
    std::filesystem::create_directories(Path(name));
    return Path(name);
  }
};

TEST_F(HolidayFiles, TheDataFolderCopyWinsWhenReadableAndNoFileMeansNoMarks) {
  const std::string program = Folder("program");
  const std::string data = Folder("data");
  EXPECT_TRUE(LoadDayMarks(data, program).empty());
  testing_support::ScratchFolder::Put(program + "/Holiday.dat", EncodeCp936("2026-10-01 休 国庆节\r\n").bytes);
  EXPECT_EQ(Listed(LoadDayMarks(data, program)), "2026-10-01休 ");
  // A folder in the file's place cannot be read: the delivered file counts.
  std::filesystem::create_directories(data + "/Holiday.dat");
  EXPECT_EQ(Listed(LoadDayMarks(data, program)), "2026-10-01休 ");
  std::filesystem::remove(data + "/Holiday.dat");
  // The user's copy, saved as UTF-8 with a byte-order mark, wins.
  testing_support::ScratchFolder::Put(data + "/Holiday.dat", "\xEF\xBB\xBF" "2027-02-20 班\r\n");
  EXPECT_EQ(Listed(LoadDayMarks(data, program)), "2027-02-20班 ");
  DayMarks marks;
  EXPECT_FALSE(ReadDayMarks(data + "/none.dat", &marks));
}

}  // namespace
}  // namespace quillet

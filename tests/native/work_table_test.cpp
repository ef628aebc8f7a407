#include "worklog/work_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "base/codepage.h"
#include "base/file_store.h"
#include "settings/default_settings.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

constexpr StatePalette kPalette = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x123456};
const char* const kNotDone = "尚未完成";
const char* const kDone = "已经完成";
const char* const kPostponed = "因故延期";

std::string FileOf(const std::vector<std::vector<std::string>>& lines) {
  std::string text;
  for (const auto& record : lines) {
    for (const auto& field : record) text += "\"" + field + "\"\r\n";
  }
  return EncodeCp936(text).bytes;
}

class WorkTableTest : public testing::Test {
 protected:
  WorkTableTest() : folder_("work") {
    context_.filePath = WorkRecordPath(folder_.Folder());
    context_.today = CivilDate{2005, 3, 9};
    context_.palette = kPalette;
  }
  void TearDown() override { file_store_testing::SetWriteLimit(std::nullopt); }
  void PutFile(const std::string& bytes) { ScratchFolder::Put(context_.filePath, bytes); }
  std::string FileBytes() const { return ScratchFolder::Get(context_.filePath); }
  // Column 0 texts of the data rows, with "-" for a hidden row.
  std::string Shown() const {
    std::string out;
    for (int r = 1; r < grid_.Rows(); ++r) {
      out += grid_.RowHeight(r) == 0 ? "-" : grid_.TextMatrix(r, 0);
      out += ' ';
    }
    return out;
  }

  ScratchFolder folder_;
  WorkTableContext context_;
  TableModel grid_;
};

TEST_F(WorkTableTest, MissingFileGivesAnEmptyTableAndTheFirstSaveCreatesIt) {
  EXPECT_EQ(SetUpWorkTable(grid_, context_).status, FileStatus::NotFound);
  EXPECT_EQ(grid_.Rows(), 1);
  ASSERT_TRUE(SaveWorkRecords(grid_, context_).ok);
  EXPECT_TRUE(std::filesystem::exists(context_.filePath));
  EXPECT_EQ(FileBytes(), "");  // an empty table is a file of zero bytes
}

TEST_F(WorkTableTest, HandWrittenFileReadsAsSpecifiedAndIsWrittenBackWhole) {
  // Seven fields: the second record has only start and deadline. Commas and
  // unquoted fields read like quoted lines; a done record stays hidden.
  const std::string text =
      "\"2005-3-9 9:0\",\"2005-3-9 17:0\"\r\n"
      "  写报告  \r\n"
      "\"尚未完成\"\r\n"
      "\"\"\r\n"
      "\"2005-3-1 9:0\"\r\n"
      "\"2005-3-2 9:0\"\r\n";
  PutFile(EncodeCp936(text).bytes);
  const WorkLoadOutcome loaded = SetUpWorkTable(grid_, context_);
  EXPECT_EQ(loaded.status, FileStatus::Ok);
  EXPECT_EQ(loaded.records, 2u);
  ASSERT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.TextMatrix(1, 3), "写报告");
  EXPECT_EQ(grid_.ForeColorAt(1, 1), kPalette[0]);
  EXPECT_EQ(grid_.ForeColorAt(1, 5), kPalette[0]);
  EXPECT_EQ(grid_.ForeColorAt(1, 0), 0u);  // the number column is not coloured
  EXPECT_EQ(grid_.TextMatrix(2, 4), "");   // no state: black, never shown
  EXPECT_EQ(grid_.ForeColorAt(2, 1), 0u);
  EXPECT_EQ(Shown(), "1 - ");
  EXPECT_EQ(grid_.TextMatrix(2, 0), "2");  // the hidden row keeps its row index

  ASSERT_TRUE(SaveWorkRecords(grid_, context_).ok);
  EXPECT_EQ(FileBytes(), FileOf({{"2005-3-9 9:0", "2005-3-9 17:0", "写报告", kNotDone, ""},
                                 {"2005-3-1 9:0", "2005-3-2 9:0", "", "", ""}}));
}

TEST_F(WorkTableTest, TodayModeShowsOnlyTodaysWorkOfTickedStates) {
  PutFile(FileOf({
      {"2005-3-9 9:0", "2005-3-9 17:0", "a", kNotDone, ""},
      {"2005-3-8 9:0", "2005-3-9 17:0", "started yesterday", kNotDone, ""},
      {"2005-03-09 09:00", "2005-3-9 17:0", "padded", kPostponed, ""},
      {"2005-3-9 10:0", "2005-3-9 17:0", "done today", kDone, ""},
      {"2005-3-9", "2005-3-9 17:0", "no time", kNotDone, ""},
      {"2005-3-9 23:59", "", "late", "完成部分", ""},
  }));
  context_.todayOnly = true;
  SetUpWorkTable(grid_, context_);
  EXPECT_EQ(Shown(), "1 - 2 - - 3 ");
  EXPECT_EQ(grid_.TextMatrix(2, 0), "2");
  EXPECT_EQ(grid_.TextMatrix(4, 0), "4");
  for (const char* notToday : {"2006-3-9 9:0", "", "today 9:0"}) {
    EXPECT_FALSE(IsTodaysWork(notToday, context_.today)) << notToday;
  }

  // Ticking "done" again in today mode shows only the done row started today.
  context_.filters[1] = true;
  FilterRowsByState(grid_, kDone, true, context_);
  EXPECT_EQ(Shown(), "1 - 2 3 - 4 ");
  context_.filters[0] = false;
  FilterRowsByState(grid_, kNotDone, false, context_);
  EXPECT_EQ(Shown(), "- - 1 2 - 3 ");
}

TEST_F(WorkTableTest, UntickingAndTickingAFilterHidesAndShowsItsRows) {
  PutFile(FileOf({
      {"2005-3-1 9:0", "", "a", kNotDone, ""},
      {"2005-3-2 9:0", "", "b", kDone, ""},
      {"2005-3-3 9:0", "", "c", kNotDone, ""},
      {"2005-3-4 9:0", "", "d", "other", ""},
  }));
  context_.filters = {true, true, false, false, false};
  SetUpWorkTable(grid_, context_);
  EXPECT_EQ(Shown(), "1 2 3 - ");
  FilterRowsByState(grid_, kNotDone, false, context_);
  EXPECT_EQ(Shown(), "- 1 - - ");
  FilterRowsByState(grid_, kNotDone, true, context_);
  EXPECT_EQ(Shown(), "1 2 3 - ");
  FilterRowsByState(grid_, kDone, false, context_);
  FilterRowsByState(grid_, kDone, true, context_);
  EXPECT_EQ(Shown(), "1 2 3 - ");
}

TEST_F(WorkTableTest, TextCodePage936CannotHoldIsReported) {
  SetUpWorkTable(grid_, context_);
  AddTableRows(grid_, 1);
  grid_.SetTextMatrix(1, 3, "emoji 😀 and ĳ");
  const SaveOutcome saved = SaveWorkRecords(grid_, context_);
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.unmappable, 2u);
}

TEST_F(WorkTableTest, FailedSavesLeaveTheOldFileByteForByte) {
  const std::string old = FileOf({{"2005-3-9 9:0", "2005-3-9 17:0", "old", kNotDone, ""}});
  PutFile(old);
  SetUpWorkTable(grid_, context_);
  AddTableRows(grid_, 400);
  for (int r = 2; r < grid_.Rows(); ++r) grid_.SetTextMatrix(r, 3, std::string(300, 'x'));

  file_store_testing::SetWriteLimit(1000);  // the disk fills up half way
  SaveOutcome saved = SaveWorkRecords(grid_, context_);
  EXPECT_FALSE(saved.ok);
  EXPECT_FALSE(saved.error.empty());
  EXPECT_EQ(FileBytes(), old);
  file_store_testing::SetWriteLimit(std::nullopt);

  // A folder that cannot take the temporary file.
  std::filesystem::create_directory(TemporaryPathFor(context_.filePath));
  EXPECT_FALSE(SaveWorkRecords(grid_, context_).ok);
  EXPECT_EQ(FileBytes(), old);
  std::filesystem::remove(TemporaryPathFor(context_.filePath));

  WorkTableContext elsewhere = context_;
  elsewhere.filePath = WorkRecordPath(folder_.File("no-such-folder"));
  EXPECT_FALSE(SaveWorkRecords(grid_, elsewhere).ok);
  EXPECT_EQ(FileBytes(), old);
}

TEST_F(WorkTableTest, UnreadableFileLeavesTheTableEmpty) {
  std::filesystem::create_directory(context_.filePath);  // a folder where the file should be
  EXPECT_EQ(SetUpWorkTable(grid_, context_).status, FileStatus::Unreadable);
  EXPECT_EQ(grid_.Rows(), 1);
}

// A table of n records whose content is "r<i>" and whose state is taken
// from states[i] (cycled).
void FillTable(TableModel& grid, int n, const std::vector<std::string>& states) {
  SetUpWorkTable(grid, WorkTableContext{"/nonexistent/none.dat", false, {}, {}, kPalette});
  AddTableRows(grid, n);
  for (int r = 1; r <= n; ++r) {
    grid.SetTextMatrix(r, 1, "2005-3-" + std::to_string(r) + " 9:0");
    grid.SetTextMatrix(r, 3, "r" + std::to_string(r));
    const std::string& state = states[static_cast<std::size_t>(r - 1) % states.size()];
    grid.SetTextMatrix(r, 4, state);
    ColourTableRow(grid, r, state, kPalette);
  }
}

std::string Contents(const TableModel& grid) {
  std::string out;
  for (int r = 1; r < grid.Rows(); ++r) out += grid.TextMatrix(r, 3) + " ";
  return out;
}

TEST(DeleteTableRows, RemovesOnlyTheShownRowsOfTheRangeAndClearsTheSelection) {
  TableModel grid;
  FillTable(grid, 6, {kNotDone});
  grid.SetRowHeight(3, 0);
  grid.SetRowHeight(4, 0);
  grid.SetRow(5);
  grid.SetCol(2);
  grid.SetRowSel(2);
  std::int32_t from = 5;
  std::int32_t to = 2;
  DeleteTableRows(grid, from, to, kPalette);
  EXPECT_EQ(from, 2);  // put in order in the caller's variables
  EXPECT_EQ(to, 5);
  EXPECT_EQ(Contents(grid), "r1 r3 r4 r6 ");
  EXPECT_EQ(grid.RowHeight(2), 0);
  EXPECT_EQ(grid.RowHeight(3), 0);
  EXPECT_EQ(grid.RowHeight(4), kShownRowHeight);
  EXPECT_EQ(grid.TextMatrix(4, 0), "2");  // numbers consecutive again
  EXPECT_EQ(grid.Row(), 0);
  EXPECT_EQ(grid.Col(), 0);
  EXPECT_EQ(grid.RowSel(), 0);

  std::int32_t zero = 0;
  std::int32_t two = 2;
  DeleteTableRows(grid, zero, two, kPalette);
  DeleteTableRows(grid, two, zero, kPalette);
  EXPECT_EQ(Contents(grid), "r1 r3 r4 r6 ");
}

TEST(DeleteTableRow, MovesRowsUpRecolouringThemAndIgnoresRowsOutside) {
  TableModel grid;
  FillTable(grid, 4, {kNotDone, kDone});
  DeleteTableRow(grid, 2, kPalette);
  EXPECT_EQ(Contents(grid), "r1 r3 r4 ");
  EXPECT_EQ(grid.ForeColorAt(2, 1), kPalette[0]);  // r3 is "not done"
  EXPECT_EQ(grid.ForeColorAt(3, 5), kPalette[1]);
  DeleteTableRow(grid, 3, kPalette);  // the last row: the grid only shrinks
  EXPECT_EQ(Contents(grid), "r1 r3 ");
  DeleteTableRow(grid, 3, kPalette);
  DeleteTableRow(grid, 0, kPalette);
  EXPECT_EQ(Contents(grid), "r1 r3 ");
  EXPECT_EQ(grid.TextMatrix(0, 3), "工作内容");
}

TEST(SortTableByDate, LatestFirstKeepingEqualRowsInOrder) {
  TableModel grid;
  FillTable(grid, 5, {kNotDone, kDone, kPostponed});
  grid.SetTextMatrix(1, 1, "2006-5-1 9:0");
  grid.SetTextMatrix(2, 1, "2006-5-3 9:0");
  grid.SetTextMatrix(3, 1, "2006-5-2 9:0");
  grid.SetTextMatrix(4, 1, "2006-05-02 09:00");  // equal to row 3
  grid.SetTextMatrix(5, 1, "2006-5-2 8:59");
  grid.SetRowHeight(3, 0);
  grid.SetTextMatrix(2, 0, "pos2");
  SortTableByDate(grid, 1, true);
  EXPECT_EQ(Contents(grid), "r2 r3 r4 r5 r1 ");
  EXPECT_EQ(grid.RowHeight(2), 0);  // r3 stays hidden
  // Numbers stay with positions: the hidden row at 2 shows that position's
  // old text, the shown rows are numbered again.
  EXPECT_EQ(grid.TextMatrix(2, 0), "pos2");
  EXPECT_EQ(grid.TextMatrix(3, 0), "2");
  EXPECT_EQ(grid.TextMatrix(5, 0), "4");
  EXPECT_EQ(grid.ForeColorAt(1, 1), kPalette[1]);  // r2 is done: colour with its row
  EXPECT_EQ(grid.ForeColorAt(2, 4), kPalette[3]);  // r3 is postponed
  EXPECT_TRUE(grid.Visible());
}

TEST(SwapTableRows, ExchangesTextsHeightsAndColoursButNotTheNumbers) {
  TableModel grid;
  FillTable(grid, 3, {kNotDone, kDone});
  grid.SetRowHeight(1, 0);
  SwapTableRows(grid, 1, 2);
  EXPECT_EQ(Contents(grid), "r2 r1 r3 ");
  EXPECT_EQ(grid.RowHeight(1), kShownRowHeight);
  EXPECT_EQ(grid.RowHeight(2), 0);
  EXPECT_EQ(grid.ForeColorAt(1, 3), kPalette[1]);
  EXPECT_EQ(grid.ForeColorAt(2, 3), kPalette[0]);
  EXPECT_EQ(grid.TextMatrix(1, 0), "1");
  SwapTableRows(grid, 0, 2);  // the heading row never moves
  SwapTableRows(grid, 2, 9);
  EXPECT_EQ(Contents(grid), "r2 r1 r3 ");
}

// The first-run row colours are distinct and readable on the white cells:
// contrast of at least 4.5 : 1 by relative luminance.
TEST(FirstRunSettings, StateColoursAreDistinctAndReadableOnWhite) {
  const auto luminance = [](Colour c) {
    const auto linear = [](int byte) {
      const double v = byte / 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c));
  };
  const ParameterItems items = DefaultSettings("");
  std::set<Colour> seen;
  for (int i = 0; i < kCompletionStateCount; ++i) {
    const auto param = static_cast<std::size_t>(kStateColourParameter[static_cast<std::size_t>(i)]);
    const Colour c = ColourFromText(items[param]);
    EXPECT_GE(1.05 / (luminance(c) + 0.05), 4.5) << StateName(static_cast<std::int16_t>(i));
    seen.insert(c);
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kCompletionStateCount));
}

}  // namespace
}  // namespace quillet

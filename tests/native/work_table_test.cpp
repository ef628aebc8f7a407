// Rules of the work table that the random walk of work_table_property_test
// does not reach: hand-written files, the today rule, failed saves.
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

class WorkTableTest : public testing::Test {
 protected:
  WorkTableTest() : folder_("work") {
    context_ = {WorkRecordPath(folder_.Folder()), false, CivilDate{2005, 3, 9}, kDefaultStateFilters, kPalette};
  }
  void TearDown() override { file_store_testing::SetWriteLimit(std::nullopt); }
  void PutFile(const std::string& utf8) { ScratchFolder::Put(context_.filePath, EncodeCp936(utf8).bytes); }
  std::string FileBytes() const { return ScratchFolder::Get(context_.filePath); }
  // Column 0 texts of the data rows, with "-" for a hidden row.
  std::string Shown() const {
    std::string out;
    for (int r = 1; r < grid_.Rows(); ++r) out += (grid_.RowHeight(r) == 0 ? "-" : grid_.TextMatrix(r, 0)) + " ";
    return out;
  }

  ScratchFolder folder_;
  WorkTableContext context_;
  TableModel grid_;
};

TEST_F(WorkTableTest, MissingOrUnreadableFileGivesAnEmptyTable) {
  EXPECT_EQ(SetUpWorkTable(grid_, context_).status, FileStatus::NotFound);
  ASSERT_TRUE(SaveWorkRecords(grid_, context_).ok);
  EXPECT_TRUE(std::filesystem::exists(context_.filePath));
  EXPECT_EQ(FileBytes(), "");  // an empty table is a file of zero bytes

  context_.filePath = folder_.Folder();  // a folder where the file should be
  EXPECT_EQ(SetUpWorkTable(grid_, context_).status, FileStatus::Unreadable);
  EXPECT_EQ(grid_.Rows(), 1);
}

TEST_F(WorkTableTest, HandWrittenFileReadsAsWrittenAndIsSavedBackWhole) {
  // Seven fields: the second record has only start and deadline. Commas and
  // unquoted fields read like quoted lines; a record without state is hidden.
  PutFile("\"2005-3-9 9:0\",\"2005-3-9 17:0\"\r\n  写报告  \r\n\"尚未完成\"\r\n\"\"\r\n"
          "\"2005-3-1 9:0\"\r\n\"2005-3-2 9:0\"\r\n");
  const WorkLoadOutcome loaded = SetUpWorkTable(grid_, context_);
  EXPECT_EQ(loaded.status, FileStatus::Ok);
  EXPECT_EQ(loaded.records, 2u);
  ASSERT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.TextMatrix(1, 3), "写报告");
  EXPECT_EQ(grid_.ForeColorAt(1, 0), 0u);  // the number column is not coloured
  EXPECT_EQ(Shown(), "1 - ");
  EXPECT_EQ(grid_.TextMatrix(2, 0), "2");  // the hidden row keeps its row index

  ASSERT_TRUE(SaveWorkRecords(grid_, context_).ok);
  EXPECT_EQ(FileBytes(), EncodeCp936("\"2005-3-9 9:0\"\r\n\"2005-3-9 17:0\"\r\n\"写报告\"\r\n\"尚未完成\"\r\n"
                                     "\"\"\r\n\"2005-3-1 9:0\"\r\n\"2005-3-2 9:0\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n")
                             .bytes);

  grid_.SetTextMatrix(1, 3, "emoji 😀 and ĳ");  // two characters code page 936 lacks
  EXPECT_EQ(SaveWorkRecords(grid_, context_).unmappable, 2u);
}

TEST_F(WorkTableTest, TodaysWorkIsWhatStartsTodayWithATime) {
  PutFile("\"2005-3-9 9:0\"\r\n\"\"\r\n\"a\"\r\n\"尚未完成\"\r\n\"\"\r\n"
          "\"2005-3-8 9:0\"\r\n\"2005-3-9 17:0\"\r\n\"started yesterday\"\r\n\"尚未完成\"\r\n\"\"\r\n"
          "\"2005-03-09 09:00\"\r\n\"\"\r\n\"padded\"\r\n\"因故延期\"\r\n\"\"\r\n"
          "\"2005-3-9\"\r\n\"\"\r\n\"no time\"\r\n\"尚未完成\"\r\n\"\"\r\n");
  context_.todayOnly = true;
  SetUpWorkTable(grid_, context_);
  EXPECT_EQ(Shown(), "1 - 2 - ");
  EXPECT_EQ(grid_.TextMatrix(2, 0), "2");
  for (const char* notToday : {"2006-3-9 9:0", "2005-3-10 0:0", "", "today 9:0", "2005-3-9 24:0"}) {
    EXPECT_FALSE(IsTodaysWork(notToday, context_.today)) << notToday;
  }
  EXPECT_TRUE(IsTodaysWork(" 2005/3/9 23:59 ", context_.today));
}

TEST_F(WorkTableTest, FailedSavesLeaveTheOldFileByteForByte) {
  PutFile("\"2005-3-9 9:0\"\r\n\"\"\r\n\"old\"\r\n\"尚未完成\"\r\n\"\"\r\n");
  const std::string old = FileBytes();
  SetUpWorkTable(grid_, context_);
  AddTableRows(grid_, 400);
  for (int r = 2; r < grid_.Rows(); ++r) grid_.SetTextMatrix(r, 3, std::string(300, 'x'));

  file_store_testing::SetWriteLimit(1000);  // the disk fills up half way
  const SaveOutcome saved = SaveWorkRecords(grid_, context_);
  EXPECT_FALSE(saved.ok);
  EXPECT_FALSE(saved.error.empty());
  EXPECT_EQ(FileBytes(), old);
  file_store_testing::SetWriteLimit(std::nullopt);

  std::filesystem::create_directory(TemporaryPathFor(context_.filePath));  // no temporary file
  EXPECT_FALSE(SaveWorkRecords(grid_, context_).ok);
  EXPECT_EQ(FileBytes(), old);
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

// The work table: random sequences of the list window's operations, checked
// after every step against a plain list of records and of the texts of the
// number column; then the rules such a walk does not reach: hand-written
// files, the today rule, the first-run colours.
#include "worklog/work_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "base/codepage.h"
#include "base/file_store.h"
#include "settings/default_settings.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

constexpr StatePalette kPalette = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x123456};

const std::vector<std::string> kStarts = {"2005-3-9 9:0", "2005-3-9 17:30", "2005-3-8 9:0", "2005-3-10 8:0",
                                          "2005-03-09 09:00", "garbage", "", "2005-3-9", "2004-12-31 23:59"};
const std::vector<std::string> kStates = {"尚未完成", "已经完成", "因故取消", "因故延期", "完成部分", "", "其他"};
const std::vector<std::string> kTexts = {"a", "中文", "say \"x\"", "l1\r\nl2", "c, d", " pad ", "", "l1\nl2\rl3"};

class WorkTableModelCheck {
 public:
  WorkTableModelCheck(unsigned seed, bool todayOnly, const std::string& path) : random_(seed) {
    context_ = {path, todayOnly, CivilDate{2005, 3, 9}, kDefaultStateFilters, kPalette};
  }

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[static_cast<std::size_t>(Between(0, static_cast<int>(from.size()) - 1))];
  }
  WorkRecord RandomRecord() { return {Pick(kStarts), Pick(kStarts), Pick(kTexts), Pick(kStates), Pick(kTexts)}; }
  WorkRecord& Expected(int row) { return expected_[static_cast<std::size_t>(row - 1)]; }
  int Rows() const { return grid_.Rows(); }

  bool Showable(const WorkRecord& r) const {
    return IsStateShown(r.state, context_.filters) &&
           (!context_.todayOnly || IsTodaysWork(r.start, context_.today));
  }
  // What RenumberTableRows leaves in column 0: hidden rows keep their text.
  void Renumber() {
    int n = 1;
    for (int r = 1; r < Rows(); ++r) {
      if (Showable(Expected(r))) numbers_[static_cast<std::size_t>(r - 1)] = std::to_string(n++);
    }
  }

  void Load() {
    grid_ = TableModel();
    SetUpWorkTable(grid_, context_);
    numbers_.clear();
    for (std::size_t i = 1; i <= expected_.size(); ++i) numbers_.push_back(std::to_string(i));
    Renumber();
  }

  // As the edit window ends: colour the row, hide it if it may not show.
  void ApplyEdit(int row) {
    ColourTableRow(grid_, row, grid_.TextMatrix(row, 4), context_.palette);
    if (!Showable(Expected(row))) grid_.SetRowHeight(row, 0);
    RenumberTableRows(grid_);
    Renumber();
  }

  void Add() {
    expected_.push_back(RandomRecord());
    numbers_.push_back(std::to_string(Rows()));  // a new row is numbered with its index
    AddTableRows(grid_, 1);
    for (int f = 0; f < 5; ++f) grid_.SetTextMatrix(Rows() - 1, f + 1, expected_.back().Field(f));
    ApplyEdit(Rows() - 1);
  }

  void Change() {  // a shown record
    const int row = Between(0, Rows() - 1);
    if (row == 0 || grid_.RowHeight(row) == 0) return;
    const int field = Between(0, 4);
    Expected(row).Field(field) = RandomRecord().Field(field);
    grid_.SetTextMatrix(row, field + 1, Expected(row).Field(field));
    ApplyEdit(row);
  }

  // The shown rows of a range (either order; an end of 0 does nothing).
  void Delete() {
    std::int32_t from = Between(0, Rows() - 1);
    std::int32_t to = Between(0, Rows() - 1);
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    grid_.SetRow(Rows() - 1);
    grid_.SetRowSel(Rows() - 1);
    DeleteTableRows(grid_, from, to, context_.palette);
    if (low == 0) return;
    // The ends come back in order and the selection is cleared.
    ASSERT_TRUE(from == low && to == high && grid_.Row() + grid_.Col() + grid_.RowSel() == 0);
    std::vector<WorkRecord> kept;
    for (int r = 1; r <= static_cast<int>(expected_.size()); ++r) {
      if (r < low || r > high || !Showable(Expected(r))) kept.push_back(Expected(r));
    }
    expected_ = kept;
    numbers_.resize(kept.size());
    Renumber();
  }

  void DeleteOne() {  // rows 0 and Rows are no rows to delete
    const int row = Between(0, Rows());
    DeleteTableRow(grid_, row, context_.palette);
    if (row == 0 || row == static_cast<int>(expected_.size()) + 1) return;
    expected_.erase(expected_.begin() + (row - 1));
    numbers_.pop_back();
    RenumberTableRows(grid_);
    Renumber();
  }

  void Swap() {  // texts, heights and colours; never the heading row or the numbers
    const int a = Between(0, Rows());
    const int b = Between(0, Rows());
    SwapTableRows(grid_, a, b);
    if (a > 0 && b > 0 && a < Rows() && b < Rows()) std::swap(Expected(a), Expected(b));
  }

  void Sort() {
    const int column = Between(1, 2);
    const bool descending = Between(0, 1) == 1;
    SortTableByDate(grid_, column, descending);
    // Reference: the list window's bubble sort, neighbours exchanged on
    // strict inequality only; texts that are no date-time go last.
    auto key = [&](const WorkRecord& r) { return ParseDateTimeText(r.Field(column - 1)); };
    for (std::size_t k = 1; k < expected_.size(); ++k) {
      for (std::size_t i = 0; i + k < expected_.size(); ++i) {
        const auto a = key(expected_[i]);
        const auto b = key(expected_[i + 1]);
        if ((a && b && (descending ? *a < *b : *b < *a)) || (!a && b)) std::swap(expected_[i], expected_[i + 1]);
      }
    }
    Renumber();
  }

  void Filter() {
    const auto i = static_cast<std::size_t>(Between(0, 4));
    context_.filters[i] = !context_.filters[i];
    FilterRowsByState(grid_, StateName(static_cast<std::int16_t>(i)), context_.filters[i], context_);
    Renumber();
  }

  void Verify(const std::string& step) {
    ASSERT_EQ(TableRecords(grid_), expected_) << step;
    ASSERT_TRUE(grid_.Visible()) << step;
    for (int r = 1; r < Rows(); ++r) {
      const WorkRecord& record = Expected(r);
      ASSERT_EQ(grid_.RowHeight(r), Showable(record) ? kShownRowHeight : 0) << step << " row " << r;
      ASSERT_EQ(grid_.TextMatrix(r, 0), numbers_[static_cast<std::size_t>(r - 1)]) << step << " row " << r;
      for (int c = 1; c <= 5; ++c) ASSERT_EQ(grid_.ForeColorAt(r, c), StateColour(record.state, kPalette)) << step;
    }
  }

  void Run(int steps) {
    ScratchFolder::Put(context_.filePath, "");  // hand-written files: the example tests below
    Load();
    Verify("load");
    for (int s = 0; s < steps && !testing::Test::HasFatalFailure(); ++s) {
      // Add, Change, Delete, delete One, sWap, Sort, Filter (saving and loading again: schedule_fuzz).
      const char op = "AACCDOWSFF"[Between(0, 9)];
      switch (op) {
        case 'A': Add(); break;
        case 'C': Change(); break;
        case 'D': Delete(); break;
        case 'O': DeleteOne(); break;
        case 'W': Swap(); break;
        case 'S': Sort(); break;
        default: Filter(); break;
      }
      if (!testing::Test::HasFatalFailure()) Verify(op + std::string(" at step ") + std::to_string(s));
    }
  }

 private:
  std::mt19937 random_;
  WorkTableContext context_;
  TableModel grid_;
  std::vector<WorkRecord> expected_;
  std::vector<std::string> numbers_;  // column 0, row by row
};

TEST(WorkTableProperty, RandomOperationsLoseDuplicateOrReorderNothing) {
  ScratchFolder folder("work-property");
  for (unsigned seed = 1; seed <= 60 && !HasFatalFailure(); ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    WorkTableModelCheck(seed, seed % 3 == 0, WorkRecordPath(folder.Folder())).Run(120);
  }
}

TEST(WorkTable, HandWrittenFileReadsAsWrittenAndIsSavedBackWholeOrNotAtAll) {
  ScratchFolder folder("work");
  const WorkTableContext context{WorkRecordPath(folder.Folder()), false, CivilDate{2005, 3, 9},
                                 kDefaultStateFilters, kPalette};
  const auto fileBytes = [&context] { return ScratchFolder::Get(context.filePath); };
  TableModel grid;
  TableModel none;  // a missing file: the walk starts from an empty one
  EXPECT_EQ(SetUpWorkTable(none, context).status, FileStatus::NotFound);
  EXPECT_EQ(none.Rows(), 1);

  // Seven fields: the second record has only start and deadline. Commas and
  // unquoted fields read like quoted lines; a record without state is hidden.
  ScratchFolder::Put(context.filePath,
                     EncodeCp936("\"2005-3-9 9:0\",\"2005-3-9 17:0\"\r\n  写报告  \r\n\"尚未完成\"\r\n\"\"\r\n"
                                 "\"2005-3-1 9:0\"\r\n\"2005-3-2 9:0\"\r\n").bytes);
  const WorkLoadOutcome loaded = SetUpWorkTable(grid, context);
  EXPECT_EQ(loaded.status, FileStatus::Ok);
  EXPECT_EQ(loaded.records, 2u);
  ASSERT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.TextMatrix(1, 3), "写报告");
  EXPECT_EQ(grid.ForeColorAt(1, 0), 0u);  // the number column is not coloured
  EXPECT_EQ(grid.RowHeight(2), 0);

  ASSERT_TRUE(SaveWorkRecords(grid, context).ok);
  EXPECT_EQ(fileBytes(), EncodeCp936("\"2005-3-9 9:0\"\r\n\"2005-3-9 17:0\"\r\n\"写报告\"\r\n\"尚未完成\"\r\n"
                                     "\"\"\r\n\"2005-3-1 9:0\"\r\n\"2005-3-2 9:0\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n")
                             .bytes);
  // Two characters code page 936 lacks are counted; failed saves: save_faults_test.
  grid.SetTextMatrix(1, 3, "emoji 😀 and ĳ");
  EXPECT_EQ(SaveWorkRecords(grid, context).unmappable, 2u);
}

TEST(IsTodaysWork, OnlyAStartOfTodayWithATimeOfDay) {
  const std::pair<const char*, bool> starts[] = {
      {"2005-3-9 9:0", true},  {"2005-03-09 00:00", true}, {" 2005/3/9 23:59 ", true},
      {"2005-3-8 9:0", false}, {"2005-3-10 0:0", false},   {"2006-3-9 9:0", false},
      {"2005-3-9", false},     {"today 9:0", false},       {"2005-3-9 24:0", false}};
  for (const auto& [start, today] : starts) EXPECT_EQ(IsTodaysWork(start, CivilDate{2005, 3, 9}), today) << start;
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

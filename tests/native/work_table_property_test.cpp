// Random sequences of the list window's operations on the work table,
// checked after every step against a plain list of records.
#include <gtest/gtest.h>

#include <random>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "tests/support/scratch_folder.h"
#include "worklog/work_table.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

constexpr StatePalette kPalette = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x123456};

const std::vector<std::string> kStarts = {"2005-3-9 9:0",     "2005-3-9 17:30", "2005-3-8 9:0",
                                          "2005-3-10 8:0",    "2005-03-09 09:00", "garbage",
                                          "",                 "2005-3-9",       "2004-12-31 23:59"};
const std::vector<std::string> kStates = {"尚未完成", "已经完成", "因故取消", "因故延期",
                                          "完成部分", "",         "其他"};
const std::vector<std::string> kTexts = {"a",     "中文内容", "say \"x\"", "l1\r\nl2",
                                         "c, d",  " padded ", "",         "l1\nl2\rl3"};

class WorkTableModelCheck {
 public:
  WorkTableModelCheck(unsigned seed, bool todayOnly, const std::string& path) : random_(seed) {
    context_.filePath = path;
    context_.todayOnly = todayOnly;
    context_.today = CivilDate{2005, 3, 9};
    context_.palette = kPalette;
  }

  template <class T>
  const T& Pick(const std::vector<T>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)];
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  WorkRecord RandomRecord() {
    WorkRecord r;
    r.start = Pick(kStarts);
    r.deadline = Pick(kStarts);
    r.content = Pick(kTexts);
    r.state = Pick(kStates);
    r.remarks = Pick(kTexts);
    return r;
  }

  // A hand-written file; its last record may be cut short.
  void WriteStartFile() {
    std::vector<std::string> fields;
    const int n = Between(0, 12);
    for (int i = 0; i < n; ++i) {
      WorkRecord r = RandomRecord();
      for (int f = 0; f < 5; ++f) fields.push_back(SanitizeField(r.Field(f)));
    }
    const int cut = Between(0, 4);
    if (cut > 0 && !fields.empty() && fields.size() >= static_cast<std::size_t>(cut)) {
      fields.resize(fields.size() - static_cast<std::size_t>(cut));
    }
    std::string text;
    for (const auto& f : fields) AppendQuotedLine(text, f);
    ScratchFolder::Put(context_.filePath, EncodeCp936(text).bytes);
    expected_ = RecordsFromFields(fields);
  }

  bool Showable(const WorkRecord& r) const {
    return IsStateShown(r.state, context_.filters) &&
           (!context_.todayOnly || IsTodaysWork(r.start, context_.today));
  }

  void Load() {
    grid_ = TableModel();
    SetUpWorkTable(grid_, context_);
  }

  void Add() {  // as the edit window adds a record
    const WorkRecord r = RandomRecord();
    AddTableRows(grid_, 1);
    const int row = grid_.Rows() - 1;
    for (int f = 0; f < 5; ++f) grid_.SetTextMatrix(row, f + 1, r.Field(f));
    ApplyEdit(row);
    RenumberTableRows(grid_);  // the new row's number was its row index
    expected_.push_back(r);
  }

  void Change() {  // as the edit window changes a shown record
    std::vector<int> shown;
    for (int r = 1; r < grid_.Rows(); ++r) {
      if (grid_.RowHeight(r) > 0) shown.push_back(r);
    }
    if (shown.empty()) return;
    const int row = Pick(shown);
    const WorkRecord r = RandomRecord();
    const int field = Between(0, 4);
    grid_.SetTextMatrix(row, field + 1, r.Field(field));
    ApplyEdit(row);
    expected_[static_cast<std::size_t>(row - 1)].Field(field) = r.Field(field);
  }

  void ApplyEdit(int row) {
    ColourTableRow(grid_, row, grid_.TextMatrix(row, 4), context_.palette);
    if ((context_.todayOnly && !IsTodaysWork(grid_.TextMatrix(row, 1), context_.today)) ||
        !IsStateShown(grid_.TextMatrix(row, 4), context_.filters)) {
      grid_.SetRowHeight(row, 0);
      RenumberTableRows(grid_);
    }
  }

  void Delete() {
    if (grid_.Rows() < 2) return;
    std::int32_t from = Between(1, grid_.Rows() - 1);
    std::int32_t to = Between(1, grid_.Rows() - 1);
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    std::vector<WorkRecord> kept;
    for (int i = 0; i < static_cast<int>(expected_.size()); ++i) {
      const bool inRange = i + 1 >= low && i + 1 <= high;
      if (!inRange || grid_.RowHeight(i + 1) == 0) kept.push_back(expected_[static_cast<std::size_t>(i)]);
    }
    DeleteTableRows(grid_, from, to, context_.palette);
    expected_ = kept;
  }

  void Sort() {
    const int column = Between(1, 2);
    const bool descending = Between(0, 1) == 1;
    SortTableByDate(grid_, column, descending);
    // Reference: the bubble sort of the list window, neighbours exchanged on
    // strict inequality only; texts that are no date-time go last.
    auto key = [&](const WorkRecord& r) { return ParseDateTimeText(r.Field(column - 1)); };
    const std::size_t n = expected_.size();
    for (std::size_t k = 1; k < n; ++k) {
      for (std::size_t i = 0; i + k < n; ++i) {
        const auto a = key(expected_[i]);
        const auto b = key(expected_[i + 1]);
        bool swap = false;
        if (a && b) swap = descending ? *a < *b : *b < *a;
        if (!a && b) swap = true;
        if (swap) std::swap(expected_[i], expected_[i + 1]);
      }
    }
  }

  void Filter() {
    const int i = Between(0, 4);
    context_.filters[static_cast<std::size_t>(i)] = !context_.filters[static_cast<std::size_t>(i)];
    FilterRowsByState(grid_, StateName(static_cast<std::int16_t>(i)),
                      context_.filters[static_cast<std::size_t>(i)], context_);
  }

  void SaveAndLoad() {
    ASSERT_TRUE(SaveWorkRecords(grid_, context_).ok);
    for (WorkRecord& r : expected_) {
      for (int f = 0; f < 5; ++f) r.Field(f) = SanitizeField(r.Field(f));
    }
    Load();
  }

  void Verify(const std::string& step) {
    ASSERT_EQ(TableRecords(grid_), expected_) << step;
    int number = 1;
    for (int r = 1; r < grid_.Rows(); ++r) {
      const WorkRecord& record = expected_[static_cast<std::size_t>(r - 1)];
      ASSERT_EQ(grid_.RowHeight(r) != 0, Showable(record)) << step << " row " << r;
      if (grid_.RowHeight(r) != 0) {
        ASSERT_EQ(grid_.RowHeight(r), kShownRowHeight);
        ASSERT_EQ(grid_.TextMatrix(r, 0), std::to_string(number++)) << step;
      }
      for (int c = 1; c <= 5; ++c) {
        ASSERT_EQ(grid_.ForeColorAt(r, c), StateColour(record.state, kPalette)) << step;
      }
    }
  }

  void Run(int steps) {
    WriteStartFile();
    Load();
    Verify("load");
    for (int s = 0; s < steps; ++s) {
      const int op = Between(0, 9);
      std::string name;
      switch (op) {
        case 0: case 1: Add(); name = "add"; break;
        case 2: case 3: Change(); name = "change"; break;
        case 4: Delete(); name = "delete"; break;
        case 5: Sort(); name = "sort"; break;
        case 6: case 7: Filter(); name = "filter"; break;
        default: SaveAndLoad(); name = "save+load"; break;
      }
      Verify(name + " at step " + std::to_string(s));
      if (testing::Test::HasFatalFailure()) return;
    }
  }

 private:
  std::mt19937 random_;
  WorkTableContext context_;
  TableModel grid_;
  std::vector<WorkRecord> expected_;
};

TEST(WorkTableProperty, RandomOperationsLoseDuplicateOrReorderNothing) {
  ScratchFolder folder("work-property");
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    WorkTableModelCheck check(seed, seed % 3 == 0, WorkRecordPath(folder.Folder()));
    check.Run(120);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace quillet

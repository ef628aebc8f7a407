// The record edit window's logic: date-time lists that never change a text
// they cannot show, the two checks, the record written into the table.
#include "worklog/record_edit.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

constexpr CivilDate kToday{2005, 3, 9};

TEST(RecordEdit, ListsComposeTheTextAndKeepATextTheyCannotShowUntilOneIsChosen) {
  EXPECT_EQ(DateListItems(0).front() + ".." + DateListItems(0).back() + DateListItems(4).back(),
            "2000..205059");

  // A new record: today at 9:0; February 2005 leaves 28 days and lowers a 30.
  DateListGroup group;
  group.ShowNew(kToday, 9);
  EXPECT_EQ(group.Text(), "2005-3-9 9:0");
  group.Choose(2, "30", kToday, 9);
  group.Choose(1, "2", kToday, 9);
  EXPECT_EQ(group.Text() + " of " + std::to_string(group.DayItems().size()), "2005-2-28 9:0 of 28");

  const struct { const char* text; DateListTexts lists; bool composed; } shown[] = {
      {"2010-12-31 23:59", {"2010", "12", "31", "23", "59"}, true},
      {"2005-03-09 09:00", {"2005", "3", "9", "9", "0"}, false},
      {"1999-3-9 9:0", {"", "3", "9", "9", "0"}, false},
      {"2005-3-9", {"2005", "3", "9", "0", "0"}, false},
      {"garbage", {"", "", "", "", ""}, false},
  };
  for (const auto& s : shown) {
    group.Show(s.text);
    EXPECT_TRUE(group.Lists() == s.lists && group.Composed() == s.composed) << s.text;
    // Choosing what a list already shows is no change.
    group.Choose(3, s.lists[3], kToday, 17);
    EXPECT_EQ(group.Text(), s.text);
  }
  // Once the user chooses, the empty lists take today and 17:0.
  group.Choose(1, "4", kToday, 17);
  EXPECT_EQ(group.Text(), "2005-4-9 17:0");
  group.Show("1999-2-28 8:5");
  group.Choose(2, "29", kToday, 17);
  EXPECT_EQ(group.Text(), "2005-2-28 8:5") << "the day drops to the month's end in 2005";
}

TEST(RecordEdit, ChecksCompareDatesOnlyAndWantContentOrRemarks) {
  const auto check = [](const char* start, const char* deadline, const char* content,
                        const char* remarks) {
    return CheckRecord(WorkRecord{start, deadline, content, "尚未完成", remarks});
  };
  EXPECT_EQ(check("2005-5-10 17:0", "2005-5-10 9:0", "x", ""), RecordProblem::None);
  EXPECT_EQ(check("2005-5-11 9:0", "2005-5-10 9:0", "x", ""), RecordProblem::StartAfterDeadline);
  EXPECT_EQ(check("garbage", "2005-5-10 9:0", "x", ""), RecordProblem::None);
  EXPECT_EQ(check("2005-5-10 9:0", "2005-5-10 9:0", "", "x"), RecordProblem::None);
  EXPECT_EQ(check("2005-5-10 9:0", "2005-5-10 9:0", "  ", " "), RecordProblem::NoContent);
}

TEST(RecordEdit, RecordGoesIntoTheTableColouredHiddenByTheRulesAndNumbered) {
  const StatePalette palette = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x123456};
  WorkTableContext context{"", true, kToday, kDefaultStateFilters, palette};
  TableModel grid;
  grid.SetCols(6);
  AddTableRows(grid, 2);
  grid.SetRowHeight(1, 0);  // hidden by a filter
  RenumberTableRows(grid);

  // Today's work of a ticked state: a shown last row, numbered among the shown.
  const WorkRecord today{"2005-3-9 9:0", "2005-3-9 17:0", "a", "因故延期", "r"};
  RecordPlacement p = PutRecordInTable(grid, 0, today, context);
  EXPECT_TRUE(p.row == 3 && p.shown);
  EXPECT_EQ(grid.TextMatrix(3, 0) + grid.TextMatrix(3, 3), "2a");
  EXPECT_EQ(grid.ForeColorAt(3, 5), 0x808080u);

  // Not today in today mode: hidden and to be told; the numbers close up.
  WorkRecord other = today;
  other.start = "2005-3-8 9:0";
  p = PutRecordInTable(grid, 2, other, context);
  EXPECT_TRUE(p.notToday && grid.RowHeight(2) == 0);
  EXPECT_EQ(grid.TextMatrix(3, 0), "1");

  // A state whose filter is not ticked hides the row without a word.
  context.todayOnly = false;
  other.state = "已经完成";
  p = PutRecordInTable(grid, 3, other, context);
  EXPECT_FALSE(p.shown || p.notToday);
  EXPECT_EQ(grid.ForeColorAt(3, 1), 0x00FF00u);

  EXPECT_EQ(PutRecordInTable(grid, 9, other, context).row + grid.Rows(), 4) << "no such row";
}

}  // namespace
}  // namespace quillet

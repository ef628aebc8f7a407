// The table model's own rules; moving rows is also exercised by every sort
// and delete of work_table_property_test.
#include "base/table_model.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

// Records what the model tells its view.
struct RecordingView : TableObserver {
  void OnCellChanged(int row, int col) override { log += "cell " + std::to_string(row) + std::to_string(col) + " "; }
  void OnRowsChanged(int first, int last) override { log += "rows " + std::to_string(first) + std::to_string(last) + " "; }
  void OnShapeChanged() override { log += "shape "; }
  void OnCurrentCellChanged() override { log += "cursor "; }
  std::string log;
};

TEST(TableModel, ShrinkingPullsTheCursorInsideAndOutsideCellsAreIgnored) {
  TableModel grid;
  grid.SetCols(3);
  grid.SetRows(4);
  grid.SetTextMatrix(1, 2, "b");
  grid.SetRowHeight(1, 0);
  grid.SetRow(3);
  grid.SetRowSel(3);
  grid.SetRows(2);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.RowSel(), 1);
  EXPECT_EQ(grid.TextMatrix(1, 2), "b");  // a hidden row keeps its cells
  grid.SetRows(3);
  EXPECT_EQ(grid.RowHeight(2), kDefaultRowHeight);
  grid.SetTextMatrix(3, 0, "x");
  grid.SetTextMatrix(0, 3, "x");
  grid.SetForeColorAt(5, 5, 0x123456);
  EXPECT_EQ(grid.TextMatrix(3, 0), "");
  EXPECT_EQ(grid.ForeColorAt(5, 5), 0u);
  grid.SetRow(7);  // refused: stays where it was
  EXPECT_EQ(grid.Row(), 1);
  grid.SetRows(0);
  EXPECT_EQ(grid.Rows(), 1);  // the heading row stays
}

TEST(TableModel, PermutesRowBodiesTellsTheViewAndHoldsRedrawsWhileHidden) {
  TableModel grid;
  grid.SetCols(3);
  grid.SetRows(4);
  for (int r = 1; r < 4; ++r) grid.SetTextMatrix(r, 0, "n" + std::to_string(r));
  for (int r = 1; r < 4; ++r) grid.SetTextMatrix(r, 2, "a" + std::to_string(r));
  RecordingView view;
  grid.SetObserver(&view);
  grid.SetTextMatrix(2, 1, "x");
  grid.SetRowHeight(3, 0);
  grid.SetRowHeight(3, 0);  // no change, no call
  grid.SetVisible(false);
  const int source[] = {2, 0, 1};  // row 1 gets old row 3, row 2 old 1, row 3 old 2
  grid.PermuteRows(1, source, 1);
  EXPECT_EQ(view.log, "cell 21 rows 33 ");
  grid.SetVisible(true);
  const int twice[] = {0, 0, 1};
  const int tooMany[] = {0, 1, 2, 3};
  grid.PermuteRows(1, twice, 1);  // no permutation, or rows beyond the table: refused
  grid.PermuteRows(1, tooMany, 1);
  grid.PermuteRows(1, source, 1);
  EXPECT_EQ(view.log, "cell 21 rows 33 shape rows 13 ");
  grid.SetObserver(nullptr);
  std::string texts;  // the fixed column stays
  for (int r = 1; r < 4; ++r) texts += grid.TextMatrix(r, 0) + grid.TextMatrix(r, 2) + grid.TextMatrix(r, 1) + " ";
  EXPECT_EQ(texts, "n1a2x n2a3 n3a1 ");
  EXPECT_EQ(grid.RowHeight(2), 0);
}

}  // namespace
}  // namespace quillet

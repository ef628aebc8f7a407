// The table model's own rules; moving rows is also exercised by every sort
// and delete of work_table_property_test.
#include "base/table_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

// Records what the model tells its view.
class RecordingView : public TableObserver {
 public:
  void OnCellChanged(int row, int col) override { log.push_back("cell " + std::to_string(row) + "," + std::to_string(col)); }
  void OnRowsChanged(int first, int last) override { log.push_back("rows " + std::to_string(first) + "-" + std::to_string(last)); }
  void OnShapeChanged() override { log.push_back("shape"); }
  void OnCurrentCellChanged() override { log.push_back("cursor"); }
  std::vector<std::string> log;
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

TEST(TableModel, PermuteRowsLeavesTheFixedColumnAndRefusesWhatIsNoPermutation) {
  TableModel grid;
  grid.SetCols(2);
  grid.SetRows(4);
  for (int r = 1; r < 4; ++r) {
    grid.SetTextMatrix(r, 0, "n" + std::to_string(r));
    grid.SetTextMatrix(r, 1, "a" + std::to_string(r));
  }
  const int source[] = {2, 0, 1};  // row 1 gets old row 3, row 2 old 1, row 3 old 2
  grid.PermuteRows(1, source, 1);
  const int twice[] = {0, 0, 1};
  grid.PermuteRows(1, twice, 1);
  const int tooMany[] = {0, 1, 2, 3};
  grid.PermuteRows(1, tooMany, 1);
  std::string texts;
  for (int r = 1; r < 4; ++r) texts += grid.TextMatrix(r, 0) + grid.TextMatrix(r, 1) + " ";
  EXPECT_EQ(texts, "n1a3 n2a1 n3a2 ");
}

TEST(TableModel, TellsTheViewWhatChangedAndHoldsRedrawsWhileHidden) {
  TableModel grid;
  RecordingView view;
  grid.SetObserver(&view);
  grid.SetCols(3);
  grid.SetRows(4);
  view.log.clear();
  grid.SetTextMatrix(2, 1, "a");
  grid.SetRowHeight(3, 0);
  grid.SetRowHeight(3, 0);  // no change, no call
  EXPECT_EQ(view.log, (std::vector<std::string>{"cell 2,1", "rows 3-3"}));
  view.log.clear();
  grid.SetVisible(false);
  grid.SetTextMatrix(1, 1, "b");
  const int source[] = {2, 0, 1};
  grid.PermuteRows(1, source, 1);
  EXPECT_TRUE(view.log.empty());
  grid.SetVisible(true);
  EXPECT_EQ(view.log, (std::vector<std::string>{"shape"}));
  view.log.clear();
  grid.PermuteRows(1, source, 1);
  EXPECT_EQ(view.log, (std::vector<std::string>{"rows 1-3"}));
  grid.SetObserver(nullptr);
}

}  // namespace
}  // namespace quillet

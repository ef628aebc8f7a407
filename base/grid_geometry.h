// Where the cells of the table grid lie in its client area, and which cell
// lies under a point: the arithmetic of the grid window, kept apart from
// the window so that it can be checked without one.
//
// Heights and widths come in twips (row 0 and column 0 are the fixed
// heading row and number column); everything returned is in client pixels
// at the given DPI. Rows of height 0 and columns of width 0 are hidden.
// Data rows are counted by rank: the number of shown data rows before
// them, which is what the vertical scroll bar counts.
#pragma once

#include <cstdint>
#include <vector>

#include "base/row_index.h"

namespace quillet {

class GridGeometry {
 public:
  // rows is borrowed for the life of the object. topRow and leftCol are
  // the first scrollable row and column in view.
  GridGeometry(const RowIndex& rows, std::vector<int> colWidths, int topRow, int leftCol,
               int dpi, int clientWidth, int clientHeight);

  int Px(std::int64_t twips) const;
  int HeaderHeight() const { return Px(rows_.Height(0)); }
  int FixedWidth() const { return Px(ColWidth(0)); }
  int ColWidth(int col) const;
  int Cols() const { return static_cast<int>(widths_.size()); }

  // Client y of a data row's top (row may be Size() for the last bottom).
  int RowTop(int row) const;
  // Client x of a scrollable column's left (col may be Cols()).
  int ColLeft(int col) const;

  int FirstShownFrom(int row) const;  // the first shown data row at or after row
  int ShownRank(int row) const;       // shown data rows before row
  int ShownTotal() const { return ShownRank(rows_.Size()); }
  int RowOfRank(int rank) const;      // the data row of a rank, or Size() past the end
  int TopRank() const { return ShownRank(FirstShownFrom(topRow_)); }

  // Whole shown rows from the top row that fit above the client bottom,
  // at least 1.
  int RowsInView() const;
  // The highest top rank that still fills the view: the rows from it to
  // the end fit below the heading, one more would not.
  int MaxTopRank() const;
  // The highest left column that still fills the view in the same way,
  // within 1..Cols()-1.
  int MaxLeftCol() const;
  // The next shown scrollable column from col in the direction of step
  // (+1 or -1), or col itself if there is none.
  int NextCol(int col, int step) const;
  // The left column, from the current one towards col, at which col's
  // right edge first fits in the client width (col itself at the most).
  int LeftColShowing(int col) const;

  // The row and column under a point: row 0 in the heading, column 0 in
  // the number column, -1 where there is no cell (past the last row or
  // column, or on a hidden one).
  struct Hit {
    int row = -1;
    int col = -1;
  };
  Hit HitTest(int x, int y) const;

 private:
  int ColLeftFrom(int left, int col) const;

  const RowIndex& rows_;
  std::vector<int> widths_;
  int topRow_;
  int leftCol_;
  int dpi_;
  int clientWidth_;
  int clientHeight_;
};

}  // namespace quillet

// The grid model under the work table and the reminder table: a rectangle
// of text cells with one fixed heading row (row 0) and one fixed column of
// row numbers (column 0), row heights and column widths in twips, a text
// colour per cell, the current cell and the selection end. The grid window
// draws this model and repaints only what the model says has changed.
//
// Members follow the grid the table operations are written for: Rows, Cols,
// TextMatrix, RowHeight, ColWidth, ColAlignment, Row, Col, RowSel,
// CellForeColor (of the current cell), TopRow / LeftCol (first scrollable
// row and column in view) and Visible. Out-of-range cell indices read as
// empty / 0 and writes to them are ignored.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour.h"

namespace quillet {

// Column alignment codes of the grid.
inline constexpr int kAlignLeftCentre = 1;  // left, vertically centred
inline constexpr int kAlignCentreTop = 3;   // centred, top

inline constexpr int kDefaultRowHeight = 240;   // twips
inline constexpr int kDefaultColWidth = 960;    // twips

// What a view is told; each call names the smallest part that changed.
class TableObserver {
 public:
  virtual ~TableObserver() = default;
  virtual void OnCellChanged(int row, int col) = 0;          // text or colour
  virtual void OnRowsChanged(int firstRow, int lastRow) = 0;  // contents, heights
  virtual void OnShapeChanged() = 0;                          // Rows, Cols, widths, alignment
  virtual void OnCurrentCellChanged() = 0;                    // Row, Col, RowSel, TopRow, LeftCol
};

class TableModel {
 public:
  TableModel();

  // The observer is borrowed; pass nullptr to detach.
  void SetObserver(TableObserver* observer) { observer_ = observer; }

  int Rows() const { return static_cast<int>(heights_.size()); }
  // Appends empty rows of the default height at the end or drops rows from
  // the end; never fewer than the heading row. The current cell, selection
  // end and top row are pulled back inside.
  void SetRows(int rows);
  int Cols() const { return cols_; }
  void SetCols(int cols);

  const std::string& TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, std::string_view text);

  int RowHeight(int row) const;
  void SetRowHeight(int row, int twips);
  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  int ColAlignment(int col) const;
  void SetColAlignment(int col, int code);

  int Row() const { return row_; }
  void SetRow(int row);
  int Col() const { return col_; }
  void SetCol(int col);
  int RowSel() const { return rowSel_; }
  void SetRowSel(int row);

  // Text colour of the current cell (Row, Col).
  Colour CellForeColor() const { return ForeColorAt(row_, col_); }
  void SetCellForeColor(Colour colour) { SetForeColorAt(row_, col_, colour); }
  // Text colour of any cell, for views and for row operations that must
  // not move the current cell.
  Colour ForeColorAt(int row, int col) const;
  void SetForeColorAt(int row, int col, Colour colour);

  // The current cell and the selection back to the heading corner, the
  // first rows and columns in view: how a freshly filled table starts.
  void ResetCursor();

  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int col);

  // False while a long operation rearranges the rows; the view holds its
  // redraws until it is true again.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Rearranges rows in one step: row first + i receives the cells from
  // column fromCol on, their colours and the height of row
  // first + source[i] as they were before the call. Columns before fromCol
  // stay with their positions. source must be a permutation of
  // 0..source.size()-1 and the rows must exist; otherwise nothing changes.
  void PermuteRows(int first, std::span<const int> source, int fromCol);

 private:
  // Rows live in blocks of kBlockRows rows, each block holding the cells and
  // colours of its rows row by row (cols_ to a row). Adding rows adds
  // blocks and never moves the cells already there, so a bulk load costs no
  // reallocation of the whole table; a table of n cells costs about
  // n * (sizeof(std::string) + sizeof(Colour)) bytes besides the long texts.
  // Rows from Rows() to the end of the last block are empty, colour 0.
  static constexpr int kBlockShift = 9;
  static constexpr int kBlockRows = 1 << kBlockShift;
  struct Block {
    std::vector<std::string> cells;
    std::vector<Colour> colours;
  };
  bool HasCell(int row, int col) const {
    return row >= 0 && row < Rows() && col >= 0 && col < cols_;
  }
  std::size_t CellIndex(int row, int col) const {
    return static_cast<std::size_t>(row & (kBlockRows - 1)) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(col);
  }
  Block& BlockOf(int row) { return blocks_[static_cast<std::size_t>(row >> kBlockShift)]; }
  const Block& BlockOf(int row) const { return blocks_[static_cast<std::size_t>(row >> kBlockShift)]; }
  Block NewBlock() const;
  void ClearRow(int row);
  void SwapRowParts(int a, int b, int fromCol);
  void ClampCursor();
  void NotifyShape();
  void NotifyCursor();

  std::vector<Block> blocks_;
  std::vector<int> heights_;  // twips, one per row: its size is Rows()
  int cols_ = 1;
  std::vector<int> colWidths_;
  std::vector<int> colAlignments_;
  int row_ = 0;
  int col_ = 0;
  int rowSel_ = 0;
  int topRow_ = 1;
  int leftCol_ = 1;
  bool visible_ = true;
  TableObserver* observer_ = nullptr;
};

}  // namespace quillet

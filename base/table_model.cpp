#include "base/table_model.h"

#include <algorithm>
#include <utility>

namespace quillet {
namespace {
const std::string kNoText;
}

TableModel::TableModel()
    : heights_(1, kDefaultRowHeight), colWidths_(1, kDefaultColWidth), colAlignments_(1, kAlignLeftCentre) {
  blocks_.push_back(NewBlock());  // cols_ is set by now
}

TableModel::Block TableModel::NewBlock() const {
  const std::size_t cells = static_cast<std::size_t>(kBlockRows) * static_cast<std::size_t>(cols_);
  return Block{std::vector<std::string>(cells), std::vector<Colour>(cells, 0)};
}

void TableModel::ClearRow(int row) {
  Block& block = BlockOf(row);
  for (int c = 0; c < cols_; ++c) {
    std::string().swap(block.cells[CellIndex(row, c)]);  // frees a long text
    block.colours[CellIndex(row, c)] = 0;
  }
}

void TableModel::SetRows(int rows) {
  rows = std::max(rows, 1);
  if (rows == Rows()) return;
  const std::size_t blocks = static_cast<std::size_t>((rows + kBlockRows - 1) >> kBlockShift);
  if (rows < Rows()) {
    blocks_.resize(blocks);
    // Rows past the end of the kept blocks went with their blocks.
    for (int r = rows; r < std::min(Rows(), static_cast<int>(blocks) << kBlockShift); ++r) ClearRow(r);
  } else {
    while (blocks_.size() < blocks) blocks_.push_back(NewBlock());
  }
  heights_.resize(static_cast<std::size_t>(rows), kDefaultRowHeight);
  ClampCursor();
  NotifyShape();
}

void TableModel::SetCols(int cols) {
  cols = std::max(cols, 1);
  if (cols == cols_) return;
  const int kept = std::min(cols, cols_);
  const int oldCols = cols_;
  cols_ = cols;
  for (Block& block : blocks_) {
    Block reshaped = NewBlock();
    for (int r = 0; r < kBlockRows; ++r) {
      for (int c = 0; c < kept; ++c) {
        const std::size_t from = static_cast<std::size_t>(r * oldCols + c);
        reshaped.cells[CellIndex(r, c)] = std::move(block.cells[from]);
        reshaped.colours[CellIndex(r, c)] = block.colours[from];
      }
    }
    block = std::move(reshaped);
  }
  colWidths_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
  colAlignments_.resize(static_cast<std::size_t>(cols), kAlignLeftCentre);
  ClampCursor();
  NotifyShape();
}

const std::string& TableModel::TextMatrix(int row, int col) const {
  if (!HasCell(row, col)) return kNoText;
  return BlockOf(row).cells[CellIndex(row, col)];
}

void TableModel::SetTextMatrix(int row, int col, std::string_view text) {
  if (!HasCell(row, col)) return;
  BlockOf(row).cells[CellIndex(row, col)] = text;
  if (observer_ && visible_) observer_->OnCellChanged(row, col);
}

int TableModel::RowHeight(int row) const {
  return row >= 0 && row < Rows() ? heights_[static_cast<std::size_t>(row)] : 0;
}

void TableModel::SetRowHeight(int row, int twips) {
  if (row < 0 || row >= Rows()) return;
  int& h = heights_[static_cast<std::size_t>(row)];
  twips = std::max(twips, 0);
  if (h == twips) return;
  h = twips;
  if (observer_ && visible_) observer_->OnRowsChanged(row, row);
}

int TableModel::ColWidth(int col) const {
  return col >= 0 && col < cols_ ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

void TableModel::SetColWidth(int col, int twips) {
  if (col < 0 || col >= cols_) return;
  colWidths_[static_cast<std::size_t>(col)] = std::max(twips, 0);
  NotifyShape();
}

int TableModel::ColAlignment(int col) const {
  return col >= 0 && col < cols_ ? colAlignments_[static_cast<std::size_t>(col)] : 0;
}

void TableModel::SetColAlignment(int col, int code) {
  if (col < 0 || col >= cols_) return;
  colAlignments_[static_cast<std::size_t>(col)] = code;
  NotifyShape();
}

void TableModel::SetRow(int row) {
  if (row < 0 || row >= Rows()) return;
  row_ = row;
  NotifyCursor();
}

void TableModel::SetCol(int col) {
  if (col < 0 || col >= cols_) return;
  col_ = col;
  NotifyCursor();
}

void TableModel::SetRowSel(int row) {
  if (row < 0 || row >= Rows()) return;
  rowSel_ = row;
  NotifyCursor();
}

Colour TableModel::ForeColorAt(int row, int col) const {
  if (!HasCell(row, col)) return 0;
  return BlockOf(row).colours[CellIndex(row, col)];
}

void TableModel::SetForeColorAt(int row, int col, Colour colour) {
  if (!HasCell(row, col)) return;
  BlockOf(row).colours[CellIndex(row, col)] = colour;
  if (observer_ && visible_) observer_->OnCellChanged(row, col);
}

void TableModel::SetTopRow(int row) {
  if (row < 1 || row >= Rows()) return;
  topRow_ = row;
  NotifyCursor();
}

void TableModel::SetLeftCol(int col) {
  if (col < 1 || col >= cols_) return;
  leftCol_ = col;
  NotifyCursor();
}

void TableModel::ResetCursor() {
  row_ = 0;
  col_ = 0;
  rowSel_ = 0;
  topRow_ = 1;
  leftCol_ = 1;
  NotifyCursor();
}

void TableModel::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (visible && observer_) observer_->OnShapeChanged();  // redraw everything once
}

void TableModel::PermuteRows(int first, std::span<const int> source, int fromCol) {
  const std::size_t n = source.size();
  if (n == 0 || first < 0 || static_cast<std::size_t>(first) + n > heights_.size()) return;
  std::vector<bool> placed(n, false);
  for (int s : source) {
    if (s < 0 || static_cast<std::size_t>(s) >= n || placed[static_cast<std::size_t>(s)]) return;
    placed[static_cast<std::size_t>(s)] = true;
  }
  fromCol = std::clamp(fromCol, 0, cols_);
  // Follow each cycle of the permutation, exchanging neighbours on it: row i
  // takes row source[i]'s parts, which then sit where row source[i]'s
  // parts were and go on along the cycle. No text is copied and no second
  // table is needed.
  std::fill(placed.begin(), placed.end(), false);
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t j = i;
    while (!placed[j]) {
      placed[j] = true;
      const std::size_t next = static_cast<std::size_t>(source[j]);
      if (next == i) break;
      SwapRowParts(first + static_cast<int>(j), first + static_cast<int>(next), fromCol);
      j = next;
    }
  }
  if (observer_ && visible_) observer_->OnRowsChanged(first, first + static_cast<int>(n) - 1);
}

void TableModel::SwapRowParts(int a, int b, int fromCol) {
  Block& blockA = BlockOf(a);
  Block& blockB = BlockOf(b);
  for (int c = fromCol; c < cols_; ++c) {
    blockA.cells[CellIndex(a, c)].swap(blockB.cells[CellIndex(b, c)]);
    std::swap(blockA.colours[CellIndex(a, c)], blockB.colours[CellIndex(b, c)]);
  }
  std::swap(heights_[static_cast<std::size_t>(a)], heights_[static_cast<std::size_t>(b)]);
}

void TableModel::ClampCursor() {
  row_ = std::min(row_, Rows() - 1);
  rowSel_ = std::min(rowSel_, Rows() - 1);
  col_ = std::min(col_, cols_ - 1);
  topRow_ = std::max(1, std::min(topRow_, Rows() - 1));
  leftCol_ = std::max(1, std::min(leftCol_, cols_ - 1));
}

void TableModel::NotifyShape() {
  if (observer_ && visible_) observer_->OnShapeChanged();
}

void TableModel::NotifyCursor() {
  if (observer_ && visible_) observer_->OnCurrentCellChanged();
}

}  // namespace quillet

#include "base/table_model.h"

#include <algorithm>
#include <utility>

namespace quillet {
namespace {
const std::string kNoText;
}

TableModel::TableModel() : colWidths_(1, kDefaultColWidth), colAlignments_(1, kAlignLeftCentre) {
  rows_.push_back(NewRow());
}

TableModel::RowData TableModel::NewRow() const {
  RowData r;
  r.cells.resize(static_cast<std::size_t>(cols_));
  r.colours.resize(static_cast<std::size_t>(cols_), 0);
  return r;
}

void TableModel::SetRows(int rows) {
  rows = std::max(rows, 1);
  if (rows == Rows()) return;
  if (rows < Rows()) {
    rows_.resize(static_cast<std::size_t>(rows));
  } else {
    rows_.reserve(static_cast<std::size_t>(rows));
    while (Rows() < rows) rows_.push_back(NewRow());
  }
  ClampCursor();
  NotifyShape();
}

void TableModel::SetCols(int cols) {
  cols = std::max(cols, 1);
  if (cols == cols_) return;
  cols_ = cols;
  for (RowData& r : rows_) {
    r.cells.resize(static_cast<std::size_t>(cols));
    r.colours.resize(static_cast<std::size_t>(cols), 0);
  }
  colWidths_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
  colAlignments_.resize(static_cast<std::size_t>(cols), kAlignLeftCentre);
  ClampCursor();
  NotifyShape();
}

const std::string& TableModel::TextMatrix(int row, int col) const {
  if (!HasCell(row, col)) return kNoText;
  return rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
}

void TableModel::SetTextMatrix(int row, int col, std::string_view text) {
  if (!HasCell(row, col)) return;
  rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)] = text;
  if (observer_ && visible_) observer_->OnCellChanged(row, col);
}

int TableModel::RowHeight(int row) const {
  return row >= 0 && row < Rows() ? rows_[static_cast<std::size_t>(row)].height : 0;
}

void TableModel::SetRowHeight(int row, int twips) {
  if (row < 0 || row >= Rows()) return;
  int& h = rows_[static_cast<std::size_t>(row)].height;
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
  return rows_[static_cast<std::size_t>(row)].colours[static_cast<std::size_t>(col)];
}

void TableModel::SetForeColorAt(int row, int col, Colour colour) {
  if (!HasCell(row, col)) return;
  rows_[static_cast<std::size_t>(row)].colours[static_cast<std::size_t>(col)] = colour;
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

void TableModel::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (visible && observer_) observer_->OnShapeChanged();  // redraw everything once
}

void TableModel::PermuteRows(int first, std::span<const int> source, int fromCol) {
  const std::size_t n = source.size();
  if (n == 0 || first < 0 || static_cast<std::size_t>(first) + n > rows_.size()) return;
  std::vector<bool> seen(n, false);
  for (int s : source) {
    if (s < 0 || static_cast<std::size_t>(s) >= n || seen[static_cast<std::size_t>(s)]) return;
    seen[static_cast<std::size_t>(s)] = true;
  }
  fromCol = std::clamp(fromCol, 0, cols_);
  // Move the moving parts out, then back in their new order: no text is
  // copied, only moved.
  std::vector<RowData> moved(n);
  for (std::size_t i = 0; i < n; ++i) {
    RowData& from = rows_[static_cast<std::size_t>(first) + i];
    RowData& to = moved[i];
    to.height = from.height;
    to.cells.reserve(static_cast<std::size_t>(cols_ - fromCol));
    for (int c = fromCol; c < cols_; ++c) {
      to.cells.push_back(std::move(from.cells[static_cast<std::size_t>(c)]));
      to.colours.push_back(from.colours[static_cast<std::size_t>(c)]);
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    RowData& from = moved[static_cast<std::size_t>(source[i])];
    RowData& to = rows_[static_cast<std::size_t>(first) + i];
    to.height = from.height;
    for (int c = fromCol; c < cols_; ++c) {
      to.cells[static_cast<std::size_t>(c)] = std::move(from.cells[static_cast<std::size_t>(c - fromCol)]);
      to.colours[static_cast<std::size_t>(c)] = from.colours[static_cast<std::size_t>(c - fromCol)];
    }
  }
  if (observer_ && visible_) observer_->OnRowsChanged(first, first + static_cast<int>(n) - 1);
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

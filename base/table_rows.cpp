#include "base/table_rows.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/file_store.h"

namespace quillet {

bool IsShown(const TableModel& grid, int row) { return grid.RowHeight(row) != 0; }

void AddTableRows(TableModel& grid, int count) {
  if (count < 1) return;
  const int old = grid.Rows();
  grid.SetRows(old + count);
  for (int r = old; r < grid.Rows(); ++r) {
    grid.SetRowHeight(r, kShownRowHeight);
    grid.SetTextMatrix(r, 0, std::to_string(r));
  }
}

void DeleteTableRows(TableModel& grid, std::int32_t& from, std::int32_t& to,
                     const RowRecolour& recolour) {
  if (from == 0 || to == 0) return;
  if (to < from) std::swap(from, to);
  // The shown rows of the range go in one pass: the rows after the first
  // deleted one close up in order, exactly as deleting them one by one from
  // the bottom would leave them.
  const int low = std::max(from, 1);
  const int high = std::min(to, grid.Rows() - 1);
  std::vector<int> survivors;
  int firstDeleted = -1;
  for (int r = low; r <= high; ++r) {
    if (IsShown(grid, r)) {
      if (firstDeleted < 0) firstDeleted = r;
    } else if (firstDeleted >= 0) {
      survivors.push_back(r);
    }
  }
  if (firstDeleted >= 0) {
    const int deleted = (high - firstDeleted + 1) - static_cast<int>(survivors.size());
    for (int r = high + 1; r < grid.Rows(); ++r) survivors.push_back(r);
    std::vector<int> source;
    source.reserve(static_cast<std::size_t>(grid.Rows() - firstDeleted));
    for (int r : survivors) source.push_back(r - firstDeleted);
    for (int r = firstDeleted; r <= high; ++r) {
      if (IsShown(grid, r)) source.push_back(r - firstDeleted);
    }
    grid.PermuteRows(firstDeleted, source, 1);
    grid.SetRows(grid.Rows() - deleted);
    if (recolour) {
      for (int r = firstDeleted; r < grid.Rows(); ++r) recolour(grid, r);
    }
  }
  grid.SetRow(0);
  grid.SetCol(0);
  grid.SetRowSel(0);
  RenumberTableRows(grid);
}

std::uint64_t TableContentHash(const TableModel& grid, int lastCol) {
  FileVersion content;  // the files' hash, over the cells
  for (int r = 1; r < grid.Rows(); ++r) {
    for (int c = 1; c <= lastCol; ++c) {
      content.Add(grid.TextMatrix(r, c));
      content.Add(c < lastCol ? "\x1F" : "\x1E");  // unit and record separators
    }
  }
  return content.hash;
}

void RenumberTableRows(TableModel& grid) {
  int n = 1;
  for (int r = 1; r < grid.Rows(); ++r) {
    if (IsShown(grid, r)) grid.SetTextMatrix(r, 0, std::to_string(n++));
  }
}

}  // namespace quillet

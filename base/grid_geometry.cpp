#include "base/grid_geometry.h"

#include <algorithm>
#include <utility>

#include "base/units.h"

namespace quillet {

GridGeometry::GridGeometry(const RowIndex& rows, std::vector<int> colWidths, int topRow,
                           int leftCol, int dpi, int clientWidth, int clientHeight)
    : rows_(rows),
      widths_(std::move(colWidths)),
      topRow_(topRow),
      leftCol_(leftCol),
      dpi_(dpi),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

int GridGeometry::Px(std::int64_t twips) const {
  return TwipsToPixels(static_cast<double>(twips), dpi_);
}

int GridGeometry::ColWidth(int col) const {
  return col >= 0 && col < Cols() ? widths_[static_cast<std::size_t>(col)] : 0;
}

int GridGeometry::RowTop(int row) const {
  return HeaderHeight() + Px(rows_.Offset(row) - rows_.Offset(topRow_));
}

int GridGeometry::ColLeft(int col) const { return ColLeftFrom(leftCol_, col); }

int GridGeometry::ColLeftFrom(int left, int col) const {
  // Summed in twips and rounded once, so neighbouring cells share an edge.
  std::int64_t twips = ColWidth(0);
  if (col >= left) {
    for (int c = left; c < col; ++c) twips += ColWidth(c);
  } else {
    for (int c = col; c < left; ++c) twips -= ColWidth(c);
  }
  return Px(twips);
}

int GridGeometry::FirstShownFrom(int row) const {
  return rows_.NthShown(rows_.ShownBefore(std::max(row, 1)));
}

int GridGeometry::ShownRank(int row) const { return rows_.ShownBefore(row) - rows_.ShownBefore(1); }

int GridGeometry::RowOfRank(int rank) const { return rows_.NthShown(rows_.ShownBefore(1) + rank); }

int GridGeometry::RowsInView() const {
  int count = 0;
  for (int rank = TopRank(), total = ShownTotal(); rank < total; ++rank) {
    if (RowTop(RowOfRank(rank) + 1) > clientHeight_) break;
    ++count;
  }
  return std::max(count, 1);
}

int GridGeometry::MaxTopRank() const {
  const int room = clientHeight_ - HeaderHeight();
  int used = 0;  // pixels, each row rounded on its own
  int rank = ShownTotal();
  while (rank > 0) {
    used += Px(rows_.Height(RowOfRank(rank - 1)));
    if (used > room) break;
    --rank;
  }
  return rank;
}

int GridGeometry::MaxLeftCol() const {
  const int room = clientWidth_ - FixedWidth();
  std::int64_t used = 0;
  int col = Cols() - 1;
  for (; col >= 1; --col) {
    used += ColWidth(col);
    if (Px(used) > room) break;
  }
  return std::clamp(col + 1, 1, std::max(1, Cols() - 1));
}

int GridGeometry::NextCol(int col, int step) const {
  for (int c = col + step; c >= 1 && c < Cols(); c += step) {
    if (ColWidth(c) > 0) return c;
  }
  return col;
}

int GridGeometry::LeftColShowing(int col) const {
  int left = leftCol_;
  while (left < col && ColLeftFrom(left, col) + Px(ColWidth(col)) > clientWidth_) ++left;
  return left;
}

GridGeometry::Hit GridGeometry::HitTest(int x, int y) const {
  Hit hit;
  if (y < HeaderHeight()) {
    hit.row = 0;
  } else {
    for (int rank = TopRank(), total = ShownTotal(); rank < total; ++rank) {
      const int r = RowOfRank(rank);
      const int top = RowTop(r);
      if (top > clientHeight_) break;
      if (y >= top && y < RowTop(r + 1)) {
        hit.row = r;
        break;
      }
    }
  }
  if (x < FixedWidth()) {
    hit.col = 0;
  } else {
    for (int c = leftCol_; c < Cols(); ++c) {
      if (ColWidth(c) > 0 && x >= ColLeft(c) && x < ColLeft(c + 1)) {
        hit.col = c;
        break;
      }
    }
  }
  return hit;
}

}  // namespace quillet

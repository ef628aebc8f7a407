#include "base/row_index.h"

#include <algorithm>

namespace quillet {

void RowIndex::Rebuild(const std::vector<int>& heights) {
  heights_.assign(heights.size(), 0);
  const std::size_t n = heights.size();
  sums_.assign(n + 1, 0);
  shown_.assign(n + 1, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const int h = std::max(heights[i], 0);
    heights_[i] = h;
    sums_[i + 1] += h;
    shown_[i + 1] += h > 0 ? 1 : 0;
    // Linear build: each node hands its total to its parent.
    const std::size_t parent = (i + 1) + ((i + 1) & (~(i + 1) + 1));
    if (parent <= n) {
      sums_[parent] += sums_[i + 1];
      shown_[parent] += shown_[i + 1];
    }
  }
  topBit_ = 1;
  while (topBit_ * 2 <= static_cast<int>(n)) topBit_ *= 2;
  if (n == 0) topBit_ = 0;
}

void RowIndex::SetHeight(int row, int height) {
  if (row < 0 || row >= Size()) return;
  height = std::max(height, 0);
  const int old = heights_[static_cast<std::size_t>(row)];
  if (old == height) return;
  heights_[static_cast<std::size_t>(row)] = height;
  const std::int64_t dh = height - old;
  const int ds = (height > 0 ? 1 : 0) - (old > 0 ? 1 : 0);
  for (std::size_t i = static_cast<std::size_t>(row) + 1; i < sums_.size(); i += i & (~i + 1)) {
    sums_[i] += dh;
    shown_[i] += ds;
  }
}

int RowIndex::Height(int row) const {
  return row >= 0 && row < Size() ? heights_[static_cast<std::size_t>(row)] : 0;
}

std::int64_t RowIndex::Offset(int row) const {
  std::int64_t sum = 0;
  for (std::size_t i = static_cast<std::size_t>(std::clamp(row, 0, Size())); i > 0; i -= i & (~i + 1)) {
    sum += sums_[i];
  }
  return sum;
}

int RowIndex::ShownBefore(int row) const {
  int count = 0;
  for (std::size_t i = static_cast<std::size_t>(std::clamp(row, 0, Size())); i > 0; i -= i & (~i + 1)) {
    count += shown_[i];
  }
  return count;
}

int RowIndex::NthShown(int k) const {
  if (k < 0 || k >= ShownCount()) return Size();
  std::size_t pos = 0;
  int rest = k;
  for (int step = topBit_; step > 0; step /= 2) {
    const std::size_t next = pos + static_cast<std::size_t>(step);
    if (next < shown_.size() && shown_[next] <= rest) {
      pos = next;
      rest -= shown_[next];
    }
  }
  return static_cast<int>(pos);  // rows 0..pos-1 hold exactly k shown rows
}

}  // namespace quillet

// Positions of the rows of a tall table whose rows may be hidden (height
// 0): where a row starts, how many shown rows come before a row and which
// row is the k-th shown one, each in O(log n) however many rows are
// hidden. Two Fenwick trees over the rows
// (one of heights, one of shown marks); a height change costs O(log n),
// a rebuild O(n).
#pragma once

#include <cstdint>
#include <vector>

namespace quillet {

class RowIndex {
 public:
  // Replaces every height (index i is row i).
  void Rebuild(const std::vector<int>& heights);
  void SetHeight(int row, int height);

  int Size() const { return static_cast<int>(heights_.size()); }
  int Height(int row) const;
  // Sum of the heights of rows 0..row-1 (row may be Size()).
  std::int64_t Offset(int row) const;
  std::int64_t Total() const { return Offset(Size()); }
  // Shown rows (height above 0) among rows 0..row-1.
  int ShownBefore(int row) const;
  int ShownCount() const { return ShownBefore(Size()); }
  // The shown row with k shown rows before it, or Size() if there is none.
  int NthShown(int k) const;

 private:
  std::vector<int> heights_;
  std::vector<std::int64_t> sums_;  // Fenwick tree of heights, 1-based
  std::vector<int> shown_;          // Fenwick tree of shown marks, 1-based
  int topBit_ = 0;                  // highest power of two <= Size()
};

}  // namespace quillet

// Row operations both tables share (the work table and the reminder
// table): column 0 holds the display number, a row of height 0 is hidden.
#pragma once

#include <cstdint>
#include <functional>

#include "base/table_model.h"

namespace quillet {

inline constexpr int kShownRowHeight = 250;  // twips; 0 hides a row

bool IsShown(const TableModel& grid, int row);

// Appends count rows of height 250, each numbered with its row index.
// A count below 1 adds nothing.
void AddTableRows(TableModel& grid, int count);

// Called for each row that moved up after a deletion, to colour it again.
using RowRecolour = std::function<void(TableModel& grid, std::int32_t row)>;
// Deletes the shown rows between from and to (either order; both are put in
// order in the caller's variables), resets the current cell and selection
// to 0 and renumbers. Nothing happens when either end is 0. Rows keep their
// colours when they move up unless recolour is given.
void DeleteTableRows(TableModel& grid, std::int32_t& from, std::int32_t& to,
                     const RowRecolour& recolour = nullptr);

// Numbers the shown rows 1, 2, 3...; hidden rows keep their text.
void RenumberTableRows(TableModel& grid);

// A hash (FNV-1a, 64 bits) of the texts of columns 1..lastCol of every data
// row in order, hidden rows included: what a save of the table writes. A
// window compares it with the hash it took when it last loaded or saved
// to tell whether the table holds unsaved changes.
std::uint64_t TableContentHash(const TableModel& grid, int lastCol);

}  // namespace quillet

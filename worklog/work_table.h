// Operations on the work table: the six-column grid of the work-record list
// window (column 0 the display number, columns 1..5 one WorkRecord). The
// grid is the only copy of the records while the list window is open; rows
// hidden by the filters have height 0 and are still saved.
// The row operations both tables share are in base/table_rows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_store.h"
#include "base/record_file.h"
#include "base/table_model.h"
#include "base/table_rows.h"
#include "worklog/work_record.h"

namespace quillet {

// What the operations need to know of the list window and the moment.
struct WorkTableContext {
  std::string filePath;                       // WorkRecordPath(data folder)
  bool todayOnly = false;                     // the list shows today's work only
  CivilDate today;                            // the system date
  StateFilters filters = kDefaultStateFilters;  // the filter check boxes
  StatePalette palette{};                     // row colours by state index
};

struct WorkLoadOutcome {
  FileStatus status = FileStatus::NotFound;  // NotFound: no file yet, an empty table
  std::size_t records = 0;
  std::size_t invalidBytes = 0;  // bytes that were not code page 936, kept as byte escapes
  FileVersion version;           // of the file as it was read
};

// Lays out the six columns, empties the table and loads the file.
WorkLoadOutcome SetUpWorkTable(TableModel& grid, const WorkTableContext& context);
// Appends the file's records as rows, coloured by state; hides rows that are
// not today's work (in today mode) or whose state filter is not ticked;
// numbers the shown rows. The records go into the table as the file is read,
// and a view is told once, at the end (OnShapeChanged). A file that cannot
// be read whole adds no rows.
WorkLoadOutcome LoadWorkRecords(TableModel& grid, const WorkTableContext& context);
// Replaces the file with every data row, hidden ones included, in grid order.
SaveOutcome SaveWorkRecords(const TableModel& grid, const WorkTableContext& context);

// DeleteTableRows of base/table_rows.h, the rows that move up coloured again
// by their state.
void DeleteTableRows(TableModel& grid, std::int32_t& from, std::int32_t& to,
                     const StatePalette& palette);
// Colours columns 1..Cols-1 of a row by the state; the current cell stays.
void ColourTableRow(TableModel& grid, std::int32_t row, std::string_view state,
                    const StatePalette& palette);

// Whether the filter for this state is ticked; an unknown state is not shown.
bool IsStateShown(std::string_view state, const StateFilters& filters);
// Shows (or hides) the rows of one state; in today mode rows not started
// today stay hidden whatever their state. Renumbers.
void FilterRowsByState(TableModel& grid, std::string_view state, bool show,
                       const WorkTableContext& context);
// Sorts the data rows by the date-time in column, latest first when
// descending. Stable: rows with equal date-times keep their order. Rows whose
// text is not a date-time follow all dated rows, in their previous order.
// Hidden rows take part and stay hidden; colours travel with their rows;
// column 0 stays in place and the shown rows are renumbered.
void SortTableByDate(TableModel& grid, int column, bool descending);

// The heading of column 0..5 of the work table ("序号", "开始日期", ...).
std::string_view WorkColumnHeading(int column);

// The records of the table in grid order (columns 1..5 of every data row).
std::vector<WorkRecord> TableRecords(const TableModel& grid);

}  // namespace quillet

#include "worklog/work_table.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet {
namespace {

constexpr int kWorkTableCols = 6;
constexpr int kStateColumn = 4;

struct ColumnLayout {
  std::string_view heading;
  int width;  // twips
  int alignment;
};
constexpr std::array<ColumnLayout, kWorkTableCols> kWorkColumns = {{
    {"序号", 500, kAlignCentreTop},
    {"开始日期", 1600, kAlignLeftCentre},
    {"截止日期", 1600, kAlignLeftCentre},
    {"工作内容", 3000, kAlignLeftCentre},
    {"完成情况", 800, kAlignLeftCentre},
    {"备注信息", 2450, kAlignLeftCentre},
}};

}  // namespace

std::string_view WorkColumnHeading(int column) {
  return kWorkColumns.at(static_cast<std::size_t>(column)).heading;
}

WorkLoadOutcome SetUpWorkTable(TableModel& grid, const WorkTableContext& context) {
  grid.SetCols(kWorkTableCols);
  for (int c = 0; c < kWorkTableCols; ++c) {
    const ColumnLayout& column = kWorkColumns[static_cast<std::size_t>(c)];
    grid.SetColAlignment(c, column.alignment);
    grid.SetColWidth(c, column.width);
    grid.SetTextMatrix(0, c, column.heading);
  }
  grid.SetRows(1);
  return LoadWorkRecords(grid, context);
}

WorkLoadOutcome LoadWorkRecords(TableModel& grid, const WorkTableContext& context) {
  WorkLoadOutcome outcome;
  const int first = grid.Rows();
  const bool wasVisible = grid.Visible();
  std::size_t k = 0;  // fields so far
  // Each field goes straight into its cell as the file is read; a field
  // that starts a record adds its row.
  const FieldsRead read = ForEachDataField(context.filePath, [&](std::string_view field) {
    const int col = static_cast<int>(k % WorkRecord::kFieldCount) + 1;
    if (col == 1) {
      grid.SetVisible(false);  // the view catches up once, at the end
      AddTableRows(grid, 1);
    }
    const int row = grid.Rows() - 1;
    grid.SetTextMatrix(row, col, field);
    if (col == kStateColumn) ColourTableRow(grid, row, field, context.palette);
    ++k;
  });
  outcome.status = read.status;
  outcome.invalidBytes = read.invalidBytes;
  outcome.version = read.version;
  if (read.status != FileStatus::Ok) {
    grid.SetRows(first);  // nothing of a file that could not be read whole
    grid.SetVisible(wasVisible);
    return outcome;
  }
  outcome.records = (k + WorkRecord::kFieldCount - 1) / WorkRecord::kFieldCount;

  // Rows only ever get hidden here: AddTableRows made them all visible.
  for (int r = 1; r < grid.Rows(); ++r) {
    if (context.todayOnly && !IsTodaysWork(grid.TextMatrix(r, 1), context.today)) {
      grid.SetRowHeight(r, 0);
    }
    if (!IsStateShown(grid.TextMatrix(r, kStateColumn), context.filters)) grid.SetRowHeight(r, 0);
  }
  RenumberTableRows(grid);
  grid.SetVisible(wasVisible);
  return outcome;
}

namespace {

// Pieces of the file text for SaveDataTextFrom: a few hundred records each.
constexpr int kRowsPerPiece = 512;

}  // namespace

SaveOutcome SaveWorkRecords(const TableModel& grid, const WorkTableContext& context) {
  int row = 1;
  return SaveDataTextFrom(context.filePath, [&](std::string& text) {
    if (row >= grid.Rows()) return false;
    for (const int end = std::min(grid.Rows(), row + kRowsPerPiece); row < end; ++row) {
      for (int c = 1; c <= WorkRecord::kFieldCount; ++c) AppendDataField(text, grid.TextMatrix(row, c));
    }
    return true;
  });
}

void DeleteTableRows(TableModel& grid, std::int32_t& from, std::int32_t& to,
                     const StatePalette& palette) {
  DeleteTableRows(grid, from, to, [&palette](TableModel& g, std::int32_t r) {
    ColourTableRow(g, r, g.TextMatrix(r, kStateColumn), palette);
  });
}

void ColourTableRow(TableModel& grid, std::int32_t row, std::string_view state,
                    const StatePalette& palette) {
  const Colour colour = StateColour(state, palette);
  for (int c = 1; c < grid.Cols(); ++c) grid.SetForeColorAt(row, c, colour);
}

bool IsStateShown(std::string_view state, const StateFilters& filters) {
  const auto index = StateIndex(state);
  return index && filters[static_cast<std::size_t>(*index)];
}

void FilterRowsByState(TableModel& grid, std::string_view state, bool show,
                       const WorkTableContext& context) {
  for (int r = 1; r < grid.Rows(); ++r) {
    if (grid.TextMatrix(r, kStateColumn) == state) {
      grid.SetRowHeight(r, show ? kShownRowHeight : 0);
    }
    if (context.todayOnly && !IsTodaysWork(grid.TextMatrix(r, 1), context.today)) {
      grid.SetRowHeight(r, 0);
    }
  }
  RenumberTableRows(grid);
}

void SortTableByDate(TableModel& grid, int column, bool descending) {
  const int count = grid.Rows() - 1;
  if (count < 1) return;
  grid.SetVisible(false);
  std::vector<std::optional<std::int64_t>> keys(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto moment = ParseDateTimeText(grid.TextMatrix(i + 1, column));
    if (moment) keys[static_cast<std::size_t>(i)] = moment->SerialSeconds();
  }
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  // A stable sort gives exactly the order of a bubble sort that exchanges
  // neighbours only on strict inequality.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const auto& ka = keys[static_cast<std::size_t>(a)];
    const auto& kb = keys[static_cast<std::size_t>(b)];
    if (!ka || !kb) return ka.has_value() && !kb.has_value();
    return descending ? *ka > *kb : *ka < *kb;
  });
  grid.PermuteRows(1, order, 1);
  RenumberTableRows(grid);
  grid.SetVisible(true);
}

std::vector<WorkRecord> TableRecords(const TableModel& grid) {
  std::vector<WorkRecord> records;
  records.reserve(static_cast<std::size_t>(grid.Rows() - 1));
  for (int r = 1; r < grid.Rows(); ++r) {
    WorkRecord& record = records.emplace_back();
    for (int c = 0; c < WorkRecord::kFieldCount; ++c) record.Field(c) = grid.TextMatrix(r, c + 1);
  }
  return records;
}

}  // namespace quillet

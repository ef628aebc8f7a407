#include "worklog/record_edit.h"

#include "base/date_fields.h"
#include "base/date_time_text.h"
#include "base/table_rows.h"

namespace quillet {
namespace {

struct ListRange {
  int first;
  int last;
};
// Year, month, day, hour, minute.
constexpr std::array<ListRange, kDateListCount> kListRanges = {
    {{kFirstListYear, kLastListYear}, {1, 12}, {1, 31}, {0, 23}, {0, 59}}};

bool InList(int list, int value) {
  const ListRange range = kListRanges[static_cast<std::size_t>(list)];
  return value >= range.first && value <= range.last;
}

}  // namespace

std::vector<std::string> DateListItems(int list) {
  std::vector<std::string> items;
  if (list < 0 || list >= kDateListCount) return items;
  const ListRange range = kListRanges[static_cast<std::size_t>(list)];
  for (int value = range.first; value <= range.last; ++value)
    items.push_back(std::to_string(value));
  return items;
}

std::string ComposeDateTimeText(const DateListTexts& lists) {
  return lists[0] + "-" + lists[1] + "-" + lists[2] + " " + lists[3] + ":" + lists[4];
}

void DateListGroup::Show(std::string_view text) {
  lists_ = {};
  if (const auto moment = ParseDateTimeText(text)) {
    const CivilDate date = DateOf(*moment);
    const std::array<int, kDateListCount> parts = {date.year, date.month, date.day,
                                                   moment->second / 3600, moment->second / 60 % 60};
    for (int i = 0; i < kDateListCount; ++i) {
      const int value = parts[static_cast<std::size_t>(i)];
      if (InList(i, value)) lists_[static_cast<std::size_t>(i)] = std::to_string(value);
    }
  }
  RefillDays();
  text_ = std::string(text);
  composed_ = ComposeDateTimeText(lists_) == text_;
}

void DateListGroup::ShowNew(const CivilDate& day, int hour) {
  lists_ = {std::to_string(day.year), std::to_string(day.month), std::to_string(day.day),
            std::to_string(hour), "0"};
  RefillDays();
  text_ = ComposeDateTimeText(lists_);
  composed_ = true;
}

void DateListGroup::Choose(int list, const std::string& entry, const CivilDate& fallback,
                           int fallbackHour) {
  if (list < 0 || list >= kDateListCount || lists_[static_cast<std::size_t>(list)] == entry) return;
  lists_[static_cast<std::size_t>(list)] = entry;
  if (!composed_) {
    const DateListTexts defaults = {std::to_string(fallback.year), std::to_string(fallback.month),
                                    std::to_string(fallback.day), std::to_string(fallbackHour),
                                    "0"};
    for (int i = 0; i < kDateListCount; ++i) {
      auto& text = lists_[static_cast<std::size_t>(i)];
      if (text.empty()) text = defaults[static_cast<std::size_t>(i)];
    }
    composed_ = true;
  }
  RefillDays();
  text_ = ComposeDateTimeText(lists_);
}

void DateListGroup::RefillDays() {
  if (lists_[kMonthList].empty()) {
    dayItems_ = DateListItems(kDayList);
    return;
  }
  DayList days = FillDayList(lists_[kYearList], lists_[kMonthList], lists_[kDayList]);
  dayItems_ = std::move(days.items);
  lists_[kDayList] = std::move(days.text);
}

RecordProblem CheckRecord(const WorkRecord& record) {
  const auto start = ParseDateTimeText(record.start);
  const auto deadline = ParseDateTimeText(record.deadline);
  if (start && deadline && start->day > deadline->day) return RecordProblem::StartAfterDeadline;
  const std::string both = record.content + record.remarks;
  if (both.find_first_not_of(' ') == std::string::npos) return RecordProblem::NoContent;
  return RecordProblem::None;
}

RecordPlacement PutRecordInTable(TableModel& grid, int row, const WorkRecord& record,
                                 const WorkTableContext& context) {
  RecordPlacement placement;
  if (row == 0) {
    AddTableRows(grid, 1);
    row = grid.Rows() - 1;
  } else if (row < 1 || row >= grid.Rows()) {
    return placement;
  }
  for (int field = 0; field < WorkRecord::kFieldCount; ++field) {
    grid.SetTextMatrix(row, field + 1, record.Field(field));
  }
  ColourTableRow(grid, row, record.state, context.palette);
  placement.row = row;
  placement.notToday = context.todayOnly && !IsTodaysWork(record.start, context.today);
  if (placement.notToday || !IsStateShown(record.state, context.filters)) grid.SetRowHeight(row, 0);
  placement.shown = IsShown(grid, row);
  // A new row carries its row index until it is numbered among the shown rows.
  RenumberTableRows(grid);
  return placement;
}

}  // namespace quillet

#include "reminders/reminder.h"

#include "base/table_rows.h"

namespace quillet {
namespace {

constexpr int kReminderTableCols = Reminder::kFieldCount + 1;

struct ColumnLayout {
  std::string_view heading;
  int width;  // twips; 0 hides the column
};
constexpr std::array<ColumnLayout, kReminderTableCols> kReminderColumns = {{
    {"序号", 500},
    {"提醒内容", 2000},
    {"年", 450},
    {"月", 300},
    {"日", 300},
    {"时", 300},
    {"分", 280},
    {"秒", 0},
    {"周期性提醒", 1300},  // "每年农历提醒" and its padding at any DPI
    {"提示方法", 960},
    {"备注", 3900},
    {"下次提示时间", 0},
}};

}  // namespace

std::string_view RepeatKindText(RepeatKind kind) {
  switch (kind) {
    case RepeatKind::Once: return kRepeatOnce;
    case RepeatKind::Daily: return kRepeatDaily;
    case RepeatKind::Weekly: return kRepeatWeekly;
    case RepeatKind::Monthly: return kRepeatMonthly;
    case RepeatKind::Yearly: return kRepeatYearly;
    case RepeatKind::LunarYearly: return kRepeatLunarYearly;
  }
  return {};
}

std::optional<RepeatKind> RepeatKindFromText(std::string_view text) {
  for (RepeatKind kind : {RepeatKind::Once, RepeatKind::Daily, RepeatKind::Weekly,
                          RepeatKind::Monthly, RepeatKind::Yearly, RepeatKind::LunarYearly}) {
    if (RepeatKindText(kind) == text) return kind;
  }
  return std::nullopt;
}

std::string_view PromptMethodText(PromptMethod method) {
  return method == PromptMethod::SoundAndWindow ? kPromptSoundAndWindow : kPromptWindowOnly;
}

bool PromptWantsSound(std::string_view prompt) {
  return prompt.find("声音") != std::string_view::npos;
}

std::string ReminderPath(const std::string& dataFolder) {
  return DataFilePath(dataFolder, "timer.dat");
}

std::vector<Reminder> RemindersFromFields(const std::vector<std::string>& fields) {
  std::vector<Reminder> reminders((fields.size() + Reminder::kFieldCount - 1) /
                                  Reminder::kFieldCount);
  for (std::size_t k = 0; k < fields.size(); ++k) {
    reminders[k / Reminder::kFieldCount][static_cast<int>(k % Reminder::kFieldCount)] = fields[k];
  }
  return reminders;
}

std::string FormatReminders(const std::vector<Reminder>& reminders) {
  std::string text;
  for (const Reminder& reminder : reminders) {
    for (const std::string& field : reminder.fields) AppendDataField(text, field);
  }
  return text;
}

void SetUpReminderTable(TableModel& grid) {
  grid.SetCols(kReminderTableCols);
  for (int c = 0; c < kReminderTableCols; ++c) {
    const ColumnLayout& column = kReminderColumns[static_cast<std::size_t>(c)];
    grid.SetColAlignment(c, c == 0 ? kAlignCentreTop : kAlignLeftCentre);
    grid.SetColWidth(c, column.width);
    grid.SetTextMatrix(0, c, column.heading);
  }
  grid.SetRows(1);
}

ReminderLoadOutcome LoadReminderTable(TableModel& grid, const std::string& path) {
  ReminderLoadOutcome outcome;
  FieldsLoad file = LoadDataFields(path);
  outcome.status = file.status;
  outcome.version = file.version;
  outcome.invalidBytes = file.invalidBytes;
  if (file.status != FileStatus::Ok) return outcome;
  const int first = grid.Rows();
  const std::size_t count =
      (file.fields.size() + Reminder::kFieldCount - 1) / Reminder::kFieldCount;
  AddTableRows(grid, static_cast<int>(count));
  for (std::size_t k = 0; k < file.fields.size(); ++k) {
    grid.SetTextMatrix(first + static_cast<int>(k / Reminder::kFieldCount),
                       static_cast<int>(k % Reminder::kFieldCount) + 1, file.fields[k]);
  }
  outcome.reminders = count;
  RenumberTableRows(grid);
  return outcome;
}

std::vector<Reminder> TableReminders(const TableModel& grid) {
  std::vector<Reminder> reminders;
  reminders.reserve(static_cast<std::size_t>(grid.Rows() - 1));
  for (int r = 1; r < grid.Rows(); ++r) {
    Reminder& reminder = reminders.emplace_back();
    for (int c = 0; c < Reminder::kFieldCount; ++c) reminder[c] = grid.TextMatrix(r, c + 1);
  }
  return reminders;
}

SaveOutcome SaveReminderTable(const TableModel& grid, const std::string& path) {
  std::string text;
  for (int r = 1; r < grid.Rows(); ++r) {
    for (int c = 1; c <= Reminder::kFieldCount; ++c) AppendDataField(text, grid.TextMatrix(r, c));
  }
  return SaveDataText(path, text);
}

}  // namespace quillet

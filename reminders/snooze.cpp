#include "reminders/snooze.h"

#include <algorithm>

#include "base/field_reader.h"

namespace quillet {

namespace {
constexpr std::size_t kSnoozeFields = kReminderKeyFields + 1;
}  // namespace

std::string SnoozePath(const std::string& dataFolder) {
  return DataFilePath(dataFolder, "snooze.dat");
}

std::vector<Snooze> LoadSnoozes(const std::string& path) {
  std::vector<Snooze> snoozes;
  const FieldsLoad file = LoadDataFields(path);
  for (std::size_t first = 0; first + kSnoozeFields <= file.fields.size(); first += kSnoozeFields) {
    const auto at = ParseDateTimeText(file.fields[first + kReminderKeyFields]);
    if (!at) continue;
    Snooze& snooze = snoozes.emplace_back();
    for (std::size_t k = 0; k < snooze.key.size(); ++k) snooze.key[k] = file.fields[first + k];
    snooze.at = *at;
  }
  return snoozes;
}

std::string FormatSnoozes(const std::vector<Snooze>& snoozes) {
  std::string text;
  for (const Snooze& snooze : snoozes) {
    for (const std::string& field : snooze.key) AppendDataField(text, field);
    AppendDataField(text, FormatNextDueText(snooze.at));
  }
  return text;
}

SaveOutcome SaveSnoozes(const std::string& path, const std::vector<Snooze>& snoozes) {
  return SaveDataText(path, FormatSnoozes(snoozes));
}

std::vector<Snooze> WithSnoozes(std::vector<Snooze> snoozes, const std::vector<ReminderKey>& keys,
                                const DateTime& at) {
  for (const ReminderKey& key : keys) {
    Snooze snooze{{}, at};
    for (std::size_t k = 0; k < key.size(); ++k) snooze.key[k] = SanitizeField(key[k]);
    std::erase_if(snoozes, [&](const Snooze& s) { return s.key == snooze.key; });
    snoozes.push_back(std::move(snooze));
  }
  return snoozes;
}

}  // namespace quillet

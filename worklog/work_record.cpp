#include "worklog/work_record.h"

#include "base/record_file.h"

namespace quillet {
namespace {

// Index order is the list window's filter order and the edit window's
// option order.
constexpr std::array<std::string_view, kCompletionStateCount> kStateTexts = {
    "尚未完成", "已经完成", "因故取消", "因故延期", "完成部分"};

constexpr std::array<std::string WorkRecord::*, WorkRecord::kFieldCount> kFields = {
    &WorkRecord::start, &WorkRecord::deadline, &WorkRecord::content, &WorkRecord::state,
    &WorkRecord::remarks};

}  // namespace

std::string& WorkRecord::Field(int index) { return this->*kFields.at(static_cast<std::size_t>(index)); }

const std::string& WorkRecord::Field(int index) const {
  return this->*kFields.at(static_cast<std::size_t>(index));
}

std::string StateName(std::int16_t index) {
  if (index < 0 || index >= kCompletionStateCount) return {};
  return std::string(kStateTexts[static_cast<std::size_t>(index)]);
}

std::optional<int> StateIndex(std::string_view state) {
  for (std::size_t i = 0; i < kStateTexts.size(); ++i) {
    if (kStateTexts[i] == state) return static_cast<int>(i);
  }
  return std::nullopt;
}

Colour StateColour(std::string_view state, const StatePalette& palette) {
  const auto index = StateIndex(state);
  return index ? palette[static_cast<std::size_t>(*index)] : Colour{0};
}

std::string WorkRecordPath(const std::string& dataFolder) {
  return DataFilePath(dataFolder, "schedule.dat");
}

bool IsTodaysWork(std::string_view startText, const CivilDate& today) {
  if (startText.find(':') == std::string_view::npos) return false;
  const auto start = ParseDateTimeText(startText);
  return start && DateOf(*start) == today;
}

std::vector<WorkRecord> RecordsFromFields(const std::vector<std::string>& fields) {
  std::vector<WorkRecord> records((fields.size() + WorkRecord::kFieldCount - 1) /
                                  WorkRecord::kFieldCount);
  for (std::size_t k = 0; k < fields.size(); ++k) {
    records[k / WorkRecord::kFieldCount].Field(static_cast<int>(k % WorkRecord::kFieldCount)) =
        fields[k];
  }
  return records;
}

}  // namespace quillet

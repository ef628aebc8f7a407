// The work record: five text fields kept as text from file to table and
// back, its five completion states with their row colours, the path of the
// record file and the rule deciding which records are today's work.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour.h"
#include "base/date_time_text.h"
#include "base/parameter_items.h"

namespace quillet {

struct WorkRecord {
  static constexpr int kFieldCount = 5;
  std::string start;     // date-time text, "2005-3-9 9:0"
  std::string deadline;  // date-time text
  std::string content;
  std::string state;     // one of the CompletionState texts, or anything read from the file
  std::string remarks;

  // Field 0..4 in file and column order (table columns 1..5).
  std::string& Field(int index);
  const std::string& Field(int index) const;
  friend bool operator==(const WorkRecord&, const WorkRecord&) = default;
};

enum class CompletionState : std::int16_t {
  NotDone = 0,    // "尚未完成"
  Done = 1,       // "已经完成"
  Cancelled = 2,  // "因故取消"
  Postponed = 3,  // "因故延期"
  PartDone = 4,   // "完成部分"
};
inline constexpr int kCompletionStateCount = 5;

// The state text of index 0..4; any other index gives an empty text.
std::string StateName(std::int16_t index);
// The index of a state text (exact comparison), or nothing.
std::optional<int> StateIndex(std::string_view state);

// Row colours per state index. They come from the settings: the colour of
// state i is the number value of parameter kStateColourParameter[i].
using StatePalette = std::array<Colour, kCompletionStateCount>;
inline constexpr std::array<std::size_t, kCompletionStateCount> kStateColourParameter = {
    kParamNotDoneColour, kParamDoneColour, kParamCancelledColour, kParamPostponedColour,
    kParamPartlyDoneColour};

// The colour of a state text; an unknown text is black (0).
Colour StateColour(std::string_view state, const StatePalette& palette);

// The filter check boxes of the list window, by state index.
using StateFilters = std::array<bool, kCompletionStateCount>;
// Ticked when the list window opens: not yet done, postponed, part done.
inline constexpr StateFilters kDefaultStateFilters = {true, false, false, true, true};

// The record file in the data folder.
std::string WorkRecordPath(const std::string& dataFolder);

// Today's work: the start text holds a date and a time of day ("Y-M-D h:m")
// whose date is today; the deadline and the time are not consulted. A text
// that is not a date-time, or a date without a time, is never today's work.
bool IsTodaysWork(std::string_view startText, const CivilDate& today);

// Records from the fields of the file, five by five; missing fields of a
// last, short record are empty.
std::vector<WorkRecord> RecordsFromFields(const std::vector<std::string>& fields);

}  // namespace quillet

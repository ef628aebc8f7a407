// What the record edit window does apart from drawing: the entries of its
// date-time lists, the text composed from them, the two checks before a
// record is written and the writing of the record into the work table.
//
// A record's date text is never changed by being opened and saved: a text
// the lists cannot show as it stands ("1999-3-9 9:0", "2005-03-09 09:00",
// "garbage") is kept word for word until the user chooses an entry in one
// of its five lists.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"
#include "base/table_model.h"
#include "worklog/work_record.h"
#include "worklog/work_table.h"

namespace quillet {

// How the edit window opens: a record to look at, a record to change, or a
// new record. The caption of the window's action button names the mode
// ("查看记录", "修改记录", "添加记录").
enum class RecordEditMode { View, Change, Add };
inline constexpr const char* kRecordEditModeCaptions[] = {"查看记录", "修改记录", "添加记录"};
inline const char* RecordEditModeCaption(RecordEditMode mode) {
  return kRecordEditModeCaptions[static_cast<int>(mode)];
}

// The five lists of one date-time: year, month, day, hour, minute.
inline constexpr int kDateListCount = 5;
inline constexpr int kYearList = 0;
inline constexpr int kMonthList = 1;
inline constexpr int kDayList = 2;
inline constexpr int kFirstListYear = 2000;
inline constexpr int kLastListYear = 2050;
// The text chosen in each list; empty where nothing is chosen.
using DateListTexts = std::array<std::string, kDateListCount>;

// The entries of list 0..4 in decimal without leading zeros: "2000".."2050",
// "1".."12", "1".."31", "0".."23", "0".."59". Any other list has none.
std::vector<std::string> DateListItems(int list);

// "Y-M-D h:m", the five texts joined by "-", "-", " " and ":".
std::string ComposeDateTimeText(const DateListTexts& lists);

// One date-time of the window: its five lists and the text shown beside
// them, which is also the text written into the record.
class DateListGroup {
 public:
  // Shows a record's text. Each list shows its part of the date-time the
  // text holds, where it has that entry; a text that holds none leaves the
  // lists empty. The text stays as it is (Text()) while composing the lists
  // would not give it back exactly.
  void Show(std::string_view text);
  // Shows a new record's date-time: the day at hour:0.
  void ShowNew(const CivilDate& day, int hour);
  // The user chose `entry` in list 0..4. A kept text gives way to the
  // composed one; lists still empty take the day and hour:0 of `fallback`;
  // the day list is refilled for the year and month (a chosen day beyond the
  // month's end drops to its last day). Choosing what is already chosen
  // changes nothing.
  void Choose(int list, const std::string& entry, const CivilDate& fallback, int fallbackHour);

  const DateListTexts& Lists() const { return lists_; }
  // The day list's entries for the chosen year and month ("1".."31" while
  // the month is not chosen).
  const std::vector<std::string>& DayItems() const { return dayItems_; }
  const std::string& Text() const { return text_; }
  bool Composed() const { return composed_; }

 private:
  void RefillDays();

  DateListTexts lists_;
  std::vector<std::string> dayItems_ = DateListItems(kDayList);
  std::string text_;
  bool composed_ = false;
};

// Why a record may not be written. Only calendar dates are compared; a
// text that is not a date-time is not compared at all.
enum class RecordProblem {
  None,
  StartAfterDeadline,  // the start's date is later than the deadline's
  NoContent,           // content and remarks together are only spaces
};
RecordProblem CheckRecord(const WorkRecord& record);

struct RecordPlacement {
  int row = 0;  // where the record went; 0: nowhere (no such row)
  bool shown = false;
  bool notToday = false;  // hidden because the table shows today's work only
};

// Writes the record into data row `row` of the work table, or into a new
// last row when row is 0; colours the row by the state, hides it when the
// table shows today's work only and it does not start today, or when its
// state's filter is not ticked, and numbers the shown rows again. A row
// that does not exist is left alone (row 0 in the result).
RecordPlacement PutRecordInTable(TableModel& grid, int row, const WorkRecord& record,
                                 const WorkTableContext& context);

}  // namespace quillet

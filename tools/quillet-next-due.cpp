// quillet-next-due TIMER.DAT UNTIL: for each reminder of the reminder file,
// in file order, the times it comes due from its next due time on, by the
// program's own arithmetic (NextReminderTime applied again and again), up
// to but not including the day UNTIL (YYYY-MM-DD). One line per time:
// "index<TAB>YYYYMMDDTHHMMSS" (index from 0). A reminder whose next due
// time is not a date-time, or that will not ring again, lists nothing.
// Output is UTF-8 with LF line ends; exit status 2 for bad arguments or a
// file that cannot be read. The tests compare it with another program's
// reading of the exported iCalendar file.
#include <cstdio>
#include <string>

#include "base/dates.h"
#include "base/field_reader.h"
#include "base/record_file.h"
#include "reminders/reminder.h"
#include "reminders/schedule.h"

int main(int argc, char** argv) {
  using namespace quillet;
  const auto until = argc == 3 ? ParseIsoDate(argv[2]) : std::nullopt;
  if (!until) {
    std::fprintf(stderr, "usage: quillet-next-due TIMER.DAT UNTIL (YYYY-MM-DD)\n");
    return 2;
  }
  const FieldsLoad load = LoadDataFields(argv[1]);
  if (load.status != FileStatus::Ok) {
    std::fprintf(stderr, "quillet-next-due: cannot read %s\n", argv[1]);
    return 2;
  }
  const DateTime end = MakeDateTime(*until);
  const std::vector<Reminder> reminders = RemindersFromFields(load.fields);
  for (std::size_t i = 0; i < reminders.size(); ++i) {
    const Reminder& r = reminders[i];
    auto due = ParseDateTimeText(Trim(r[Reminder::kNextDue]));
    while (due && *due < end && DateOf(*due).year < kNeverAgainDate.year) {
      const CivilDate d = DateOf(*due);
      std::printf("%zu\t%04d%02d%02dT%02d%02d%02d\n", i, d.year, d.month, d.day, due->second / 3600,
                  due->second / 60 % 60, due->second % 60);
      const DateTime next = NextReminderTime(
          *due, r[Reminder::kRepeat], StartDate(r[Reminder::kYear], r[Reminder::kMonth], r[Reminder::kDay]));
      if (!(*due < next)) break;
      due = next;
    }
  }
  return 0;
}

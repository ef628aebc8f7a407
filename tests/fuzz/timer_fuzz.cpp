// Any timer.dat at any moment: no crash, leak or UB; the due check sees the reminders the loader
// sees, fires each at most once, and the file it writes differs only in the next-due fields of
// the fired reminders of a known kind.
#include <algorithm>
#include <vector>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "base/record_file.h"
#include "reminders/reminder.h"
#include "reminders/schedule.h"
#include "tests/fuzz/fuzz_support.h"

static std::vector<std::string> RawFields(std::string_view bytes) {
  std::vector<std::string> fields;
  for (quillet::FieldReader reader(bytes); !reader.AtEnd();) fields.push_back(reader.Next());
  return fields;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  fuzz::Input input(data, size);
  const DateTime now{input.Number(-100000, 150000), static_cast<int>(input.Number(0, 86399))};
  const std::string_view bytes = input.rest;
  const DueCheck check = CheckDueReminders(bytes, now);
  const std::size_t loaded = ReadDataFields(DecodeCp936(bytes).utf8).size() / Reminder::kFieldCount;  // whole ones
  const auto known = [](const FiredReminder& f) { return RepeatKindFromText(f.key[Reminder::kRepeat]).has_value(); };
  FUZZ_CHECK(check.reminders == loaded && check.writeNeeded == std::any_of(check.fired.begin(), check.fired.end(), known));
  for (std::size_t i = 1; i < check.fired.size(); ++i) FUZZ_CHECK(check.fired[i - 1].index < check.fired[i].index);
  if (!check.writeNeeded) return 0;
  const std::vector<std::string> before = RawFields(bytes), after = RawFields(check.newFileBytes);
  FUZZ_CHECK(before.size() == after.size());
  std::size_t fired = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const bool at = fired < check.fired.size() &&
                    i == check.fired[fired].index * Reminder::kFieldCount + Reminder::kNextDue;
    FUZZ_CHECK(after[i] == (at && known(check.fired[fired]) ? check.fired[fired].nextDue : before[i]));
    fired += at;
  }
  FUZZ_CHECK(fired == check.fired.size());
  return 0;
}

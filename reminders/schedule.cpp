#include "reminders/schedule.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "base/lunar_date.h"
#include "base/numbers.h"
#include "base/utf8.h"

namespace quillet {
namespace {

// One field of the raw file: where it lies (delimiter included) and its
// value, still in code page 936.
struct RawField {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string value;
};

// The field rules of the data files work on the raw bytes as well as on the
// decoded text: every delimiter ('"', ',', CR, LF, blank, tab) is below 0x40
// and so never the trail byte of a double-byte character.
RawField ReadRawField(FieldReader& reader) {
  RawField field;
  field.begin = reader.Position();
  field.value = reader.Next();
  if (!reader.LastFieldQuoted()) field.value = Trim(field.value);
  field.end = reader.Position();
  return field;
}

std::string DecodeField(const std::string& raw) {
  for (char c : raw) {
    if (static_cast<unsigned char>(c) >= 0x80) return DecodeCp936(raw).utf8;
  }
  return raw;
}

CivilDate NextLunarYearly(const CivilDate& due, std::optional<CivilDate> start) {
  const auto from = ToLunarDate(due);
  if (!from) return kNeverAgainDate;
  const auto anchor = start ? ToLunarDate(*start) : std::nullopt;
  const LunarDate& wanted = anchor ? *anchor : *from;
  const int year = from->year + 1;
  const int month = std::abs(wanted.month);  // a leap month: the ordinary one
  const int day = std::min(wanted.day, LunarMonthDays(year, month));  // 0 past 2100
  return FromLunarDate({year, month, day}).value_or(kNeverAgainDate);
}

}  // namespace

std::optional<CivilDate> StartDate(const std::string& year, const std::string& month,
                                   const std::string& day) {
  constexpr std::int32_t kLimit = 1000000;  // BuildDateTime's bound
  const std::int32_t y = LenientInt32(year);
  const std::int32_t m = LenientInt32(month);
  const std::int32_t d = LenientInt32(day);
  if (std::abs(y) > kLimit || std::abs(m) > kLimit || std::abs(d) > kLimit) return std::nullopt;
  return DateOf(BuildDateTime(y, m, d, 0, 0, 0));
}

DateTime NextReminderTime(const DateTime& due, std::string_view kind,
                          std::optional<CivilDate> start) {
  const auto repeat = RepeatKindFromText(kind);
  if (!repeat) return due;
  const CivilDate d = DateOf(due);
  DateTime next = due;
  switch (*repeat) {
    case RepeatKind::Once:
      next.day = DayNumber(kNeverAgainDate);
      break;
    case RepeatKind::Daily:
      next.day += 1;
      break;
    case RepeatKind::Weekly:
      next.day += 7;
      break;
    case RepeatKind::Monthly: {
      const int year = d.month == 12 ? d.year + 1 : d.year;
      const int month = d.month == 12 ? 1 : d.month + 1;
      const int day = std::min(d.day, DaysInMonth(year, month));
      next.day = DayNumber(CivilDate{year, month, day});
      break;
    }
    case RepeatKind::Yearly: {
      const int day = d.month == 2 && d.day == 29 ? 28 : d.day;
      next.day = DayNumber(CivilDate{d.year + 1, d.month, day});
      break;
    }
    case RepeatKind::LunarYearly:
      next.day = DayNumber(NextLunarYearly(d, start));
      break;
  }
  return next;
}

std::string ReminderPopupText(const FiredReminder& fired) {
  std::string text = WrapReminderContent(fired.content);
  if (fired.occurrences > 1) {
    const CivilDate d = DateOf(fired.earliest);
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "（错过 %d 次，最早 %d-%d-%d %d:%02d）\r\n",
                  fired.occurrences, d.year, d.month, d.day, fired.earliest.second / 3600,
                  fired.earliest.second / 60 % 60);
    text += buffer;
  }
  return text;
}

std::string WrapReminderContent(std::string_view content) {
  std::string wrapped;
  wrapped.reserve(content.size() + content.size() / 8 + 2);
  std::size_t pos = 0;
  const std::size_t lines = CountCodePoints(content) / kReminderLineChars + 1;
  for (std::size_t line = 0; line < lines; ++line) {
    const std::size_t start = pos;
    for (std::size_t n = 0; n < kReminderLineChars && pos < content.size(); ++n) {
      NextCodePoint(content, pos);
    }
    wrapped.append(content.substr(start, pos - start));
    wrapped += "\r\n";
  }
  return wrapped;
}

DueCheck CheckDueReminders(std::string_view fileBytes, const DateTime& now,
                           const std::vector<Snooze>& snoozes, DueCheckMemory* memory) {
  DueCheck check;
  struct Replacement {
    std::size_t begin;
    std::size_t end;
    std::string text;
  };
  std::vector<Replacement> replacements;
  std::vector<bool> snoozeFound(snoozes.size(), false);
  std::vector<std::string> unknownFired;  // remembered after the walk: twins fire together
  std::array<RawField, Reminder::kFieldCount> group;
  FieldReader reader(fileBytes);
  std::size_t index = 0;
  while (!reader.AtEnd()) {
    int filled = 0;
    while (filled < Reminder::kFieldCount && !reader.AtEnd()) {
      group[static_cast<std::size_t>(filled++)] = ReadRawField(reader);
    }
    if (filled < Reminder::kFieldCount) break;  // cut short: kept as read, not looked at
    ++check.reminders;
    FiredReminder fired;
    fired.index = index++;
    for (std::size_t k = 0; k < fired.key.size(); ++k) fired.key[k] = DecodeField(group[k].value);
    fired.content = fired.key[Reminder::kContent];
    fired.prompt = DecodeField(group[Reminder::kPrompt].value);
    // A snooze of this reminder that is back shows it even when its own due
    // time has not come; one that is back and due together shows it once.
    bool snoozeBack = false;
    ReminderKey stored;  // the key as the snooze file holds it
    if (!snoozes.empty()) {
      for (std::size_t k = 0; k < stored.size(); ++k) stored[k] = SanitizeField(fired.key[k]);
    }
    for (std::size_t s = 0; s < snoozes.size(); ++s) {
      if (snoozeFound[s] || snoozes[s].key != stored) continue;
      snoozeFound[s] = true;
      if (now.SerialSeconds() > snoozes[s].at.SerialSeconds()) {
        snoozeBack = true;
        fired.earliest = snoozes[s].at;
      } else {
        check.snoozes.push_back(snoozes[s]);
      }
    }
    const RawField& dueField = group[Reminder::kNextDue];
    const auto due = ParseDateTimeText(DecodeField(dueField.value));
    const std::string& kind = fired.key[Reminder::kRepeat];
    bool dueNow = due && now.SerialSeconds() > due->SerialSeconds();
    if (!due) ++check.unreadable;
    if (dueNow && !RepeatKindFromText(kind)) {
      // Its due time never moves: it fires once per run and keeps its bytes.
      std::string bytes(fileBytes.substr(group[0].begin, dueField.end - group[0].begin));
      dueNow = !memory || !memory->firedUnknown.contains(bytes);
      if (dueNow) unknownFired.push_back(std::move(bytes));
      fired.nextDue = FormatNextDueText(*due);
      fired.earliest = *due;
    } else if (dueNow) {
      const auto start = StartDate(fired.key[Reminder::kYear], fired.key[Reminder::kMonth],
                                   fired.key[Reminder::kDay]);
      DateTime next = *due;
      fired.occurrences = 0;
      do {
        next = NextReminderTime(next, kind, start);
      } while (++fired.occurrences < kCatchUpLimit && now.SerialSeconds() > next.SerialSeconds());
      fired.earliest = *due;
      fired.nextDue = FormatNextDueText(next);
      std::string line;
      AppendQuotedLine(line, fired.nextDue);  // ASCII: the same in code page 936
      replacements.push_back({dueField.begin, dueField.end, std::move(line)});
    }
    if (!dueNow && !snoozeBack) continue;
    if (!dueNow) fired.nextDue = DecodeField(dueField.value);
    check.fired.push_back(std::move(fired));
  }
  if (memory) memory->firedUnknown.insert(unknownFired.begin(), unknownFired.end());
  check.snoozesChanged = check.snoozes.size() != snoozes.size();
  check.writeNeeded = !replacements.empty();
  if (check.writeNeeded) {
    check.newFileBytes.reserve(fileBytes.size() + replacements.size() * 4);
    std::size_t copied = 0;
    for (const Replacement& r : replacements) {
      check.newFileBytes.append(fileBytes.substr(copied, r.begin - copied));
      check.newFileBytes += r.text;
      copied = r.end;
    }
    check.newFileBytes.append(fileBytes.substr(copied));
  }
  return check;
}

DueCheckRun RunDueCheck(const std::string& path, const DateTime& now, DueCheckMemory* memory,
                        const std::string& snoozePath) {
  DueCheckRun run;
  const FileContents file = ReadWholeFile(path);
  run.readStatus = file.status;
  const std::vector<Snooze> snoozes = snoozePath.empty() ? std::vector<Snooze>{} : LoadSnoozes(snoozePath);
  // Without a reminder file every snooze is an orphan; a file that could not
  // be read says nothing about them.
  if (file.status != FileStatus::Ok && (file.status != FileStatus::NotFound || snoozes.empty())) {
    return run;
  }
  run.check = CheckDueReminders(file.status == FileStatus::Ok ? std::string_view(file.bytes) : "",
                                now, snoozes, memory);
  WriteDueCheck(path, file, snoozePath, run);
  return run;
}

void WriteDueCheck(const std::string& path, const FileContents& read, const std::string& snoozePath,
                   DueCheckRun& run) {
  if (run.check.writeNeeded) {
    const FileContents now = ReadWholeFile(path);
    if (now.status != read.status || now.bytes != read.bytes) {
      run.check = DueCheck{};
      run.changedMeanwhile = true;
      return;
    }
    run.saved = ReplaceFileContents(path, run.check.newFileBytes, &run.saveError);
  }
  if (run.check.snoozesChanged) {
    const SaveOutcome saved = SaveSnoozes(snoozePath, run.check.snoozes);
    if (!saved.ok && run.saved) {
      run.saved = false;
      run.saveError = saved.error;
    }
  }
}

}  // namespace quillet

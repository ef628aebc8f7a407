#include "reminders/schedule.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "base/utf8.h"
#include "reminders/reminder.h"

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

}  // namespace

DateTime NextReminderTime(const DateTime& due, std::string_view kind) {
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
  }
  return next;
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

DueCheck CheckDueReminders(std::string_view fileBytes, const DateTime& now) {
  DueCheck check;
  struct Replacement {
    std::size_t begin;
    std::size_t end;
    std::string text;
  };
  std::vector<Replacement> replacements;
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
    const RawField& dueField = group[Reminder::kNextDue];
    const auto due = ParseDateTimeText(DecodeField(dueField.value));
    if (!due) {
      ++check.unreadable;
    } else if (now.SerialSeconds() > due->SerialSeconds()) {
      FiredReminder fired;
      fired.index = index;
      fired.content = DecodeField(group[Reminder::kContent].value);
      fired.prompt = DecodeField(group[Reminder::kPrompt].value);
      fired.nextDue =
          FormatNextDueText(NextReminderTime(*due, DecodeField(group[Reminder::kRepeat].value)));
      std::string line;
      AppendQuotedLine(line, fired.nextDue);  // ASCII: the same in code page 936
      replacements.push_back({dueField.begin, dueField.end, std::move(line)});
      check.fired.push_back(std::move(fired));
    }
    ++index;
  }
  check.writeNeeded = !check.fired.empty();
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

DueCheckRun RunDueCheck(const std::string& path, const DateTime& now) {
  DueCheckRun run;
  const FileContents file = ReadWholeFile(path);
  run.readStatus = file.status;
  if (file.status != FileStatus::Ok) return run;
  run.check = CheckDueReminders(file.bytes, now);
  if (run.check.writeNeeded) {
    run.saved = ReplaceFileContents(path, run.check.newFileBytes, &run.saveError);
  }
  return run;
}

}  // namespace quillet

#include "reminders/reminders_ics.h"

#include <cstdio>
#include <map>
#include <optional>

#include "base/file_store.h"
#include "base/field_reader.h"
#include "reminders/schedule.h"

namespace quillet {
namespace {

// "20261207T093000", floating local time.
std::string IcsMoment(const DateTime& moment, bool utc = false) {
  const CivilDate d = DateOf(moment);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d%s", d.year, d.month, d.day,
                moment.second / 3600, moment.second / 60 % 60, moment.second % 60, utc ? "Z" : "");
  return text;
}

// The time the reminder was set for, from its six start fields.
std::optional<DateTime> StartOf(const Reminder& r) {
  const auto f = [&r](int i) { return Trim(r[i]); };
  return ParseDateTimeText(f(Reminder::kYear) + "-" + f(Reminder::kMonth) + "-" + f(Reminder::kDay) +
                           " " + f(Reminder::kHour) + ":" + f(Reminder::kMinute) + ":" +
                           f(Reminder::kSecond));
}

// The RRULE frequency stating the kind's arithmetic from due, or nothing.
std::optional<std::string_view> RuleFrequency(const DateTime& due, std::string_view kind) {
  const CivilDate d = DateOf(due);
  switch (RepeatKindFromText(kind).value_or(RepeatKind::Once)) {
    case RepeatKind::Daily:
      return "DAILY";
    case RepeatKind::Weekly:
      return "WEEKLY";
    case RepeatKind::Monthly:
      if (d.day <= 28) return "MONTHLY";
      return std::nullopt;
    case RepeatKind::Yearly:
      if (!(d.month == 2 && d.day == 29)) return "YEARLY";
      return std::nullopt;
    case RepeatKind::LunarYearly:  // no rule states it: a list of its times
    case RepeatKind::Once:
      return std::nullopt;
  }
  return std::nullopt;
}

std::uint64_t FieldsHash(const Reminder& r) {
  FileVersion hash;  // FNV-1a over the fields, each closed by a unit separator
  for (int i = 0; i < Reminder::kFieldCount; ++i) {
    if (i == Reminder::kNextDue) continue;
    hash.Add(r[i]);
    hash.Add("\x1f");
  }
  return hash.hash;
}

}  // namespace

std::string IcsText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\r' || c == '\n') {
      out += "\\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string IcsFolded(std::string_view line) {
  std::string out;
  std::size_t limit = 75;  // octets on this physical line, the leading blank included
  while (line.size() > limit) {
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line.substr(0, cut));
    out += "\r\n ";
    line.remove_prefix(cut);
    limit = 74;
  }
  out.append(line);
  out += "\r\n";
  return out;
}

std::string RemindersIcs(const std::vector<Reminder>& reminders, const DateTime& stampUtc) {
  std::string ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillet//Quillet 2.0//ZH\r\n"
                    "CALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\n";
  std::map<std::uint64_t, int> seen;  // equal reminders get -2, -3, ... on their UID
  for (const Reminder& r : reminders) {
    const std::string& kind = r[Reminder::kRepeat];
    std::optional<DateTime> start = ParseDateTimeText(Trim(r[Reminder::kNextDue]));
    // A once-only reminder that rang is shown at the time it was set for.
    if (!start || DateOf(*start).year >= kNeverAgainDate.year) start = StartOf(r);
    if (!start) continue;
    const std::uint64_t hash = FieldsHash(r);
    const int n = ++seen[hash];
    char uid[40];
    std::snprintf(uid, sizeof uid, "%016llx", static_cast<unsigned long long>(hash));
    std::string id = uid;
    if (n > 1) id += "-" + std::to_string(n);
    ics += "BEGIN:VEVENT\r\n";
    ics += IcsFolded("UID:" + id + std::string(kIcsUidDomain));
    ics += "DTSTAMP:" + IcsMoment(stampUtc, true) + "\r\n";
    ics += "DTSTART:" + IcsMoment(*start) + "\r\n";
    if (const auto frequency = RuleFrequency(*start, kind)) {
      ics += "RRULE:FREQ=" + std::string(*frequency) + "\r\n";
    } else if (!RepeatKindFromText(kind) || *RepeatKindFromText(kind) != RepeatKind::Once) {
      // Whatever moves the due time another way: its next times as a list.
      std::string dates = "RDATE:";
      DateTime at = *start;
      for (int i = 0; i < kIcsListedTimes; ++i) {
        const DateTime next = NextReminderTime(
            at, kind, StartDate(r[Reminder::kYear], r[Reminder::kMonth], r[Reminder::kDay]));
        if (!(at < next)) break;
        if (i > 0) dates += ',';
        dates += IcsMoment(at);
        at = next;
      }
      if (dates.size() > 6 && dates.find(',') != std::string::npos) ics += IcsFolded(dates);
    }
    ics += IcsFolded("SUMMARY:" + IcsText(r[Reminder::kContent]));
    if (!r[Reminder::kRemark].empty()) ics += IcsFolded("DESCRIPTION:" + IcsText(r[Reminder::kRemark]));
    ics += "BEGIN:VALARM\r\nACTION:DISPLAY\r\n";
    ics += IcsFolded("DESCRIPTION:" + IcsText(r[Reminder::kContent]));
    ics += "TRIGGER:PT0S\r\nEND:VALARM\r\nEND:VEVENT\r\n";
  }
  ics += "END:VCALENDAR\r\n";
  return ics;
}

ExportOutcome ExportRemindersIcs(const std::string& dataFolder, const std::string& target,
                                 const DateTime& stampUtc) {
  return ExportDataFile(ReminderPath(dataFolder), target,
                        [&stampUtc](const std::vector<std::string>& fields, std::size_t* count) {
                          const std::vector<Reminder> reminders = RemindersFromFields(fields);
                          *count = reminders.size();
                          return RemindersIcs(reminders, stampUtc);
                        });
}

}  // namespace quillet

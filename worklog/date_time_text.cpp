#include "worklog/date_time_text.h"

#include <cstdio>

namespace quillet {
namespace {

constexpr int kSecondsPerDay = 86400;

// Floor division and the matching non-negative remainder.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}
std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }

// A small cursor over the text for the parser below.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  bool Peek(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
  bool Take(char c) {
    if (!Peek(c)) return false;
    ++pos_;
    return true;
  }
  // One to nine decimal digits.
  std::optional<int> Number() {
    const std::size_t start = pos_;
    int value = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      if (pos_ - start == 9) return std::nullopt;
      value = value * 10 + (text_[pos_] - '0');
      ++pos_;
    }
    if (pos_ == start) return std::nullopt;
    return value;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

bool IsGregorianLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInGregorianMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsGregorianLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from civil and back after H. Hinnant's public-domain algorithms
// ("chrono-Compatible Low-Level Date Algorithms"): eras of 400 years.
std::int64_t DaysFromCivil(const CivilDate& date) {
  const std::int64_t y = static_cast<std::int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;                                        // [0, 399]
  const std::int64_t mp = (date.month + 9) % 12;                                 // [0, 11], March = 0
  const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;                   // [0, 365]
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;              // [0, 146096]
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;                                    // [0, 146096]
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);             // [0, 365]
  const std::int64_t mp = (5 * doy + 2) / 153;                                  // [0, 11]
  CivilDate date;
  date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = static_cast<int>(yoe + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
}

DateTime MakeDateTime(const CivilDate& date, int hour, int minute, int second) {
  return BuildDateTime(date.year, date.month, date.day, hour, minute, second);
}

CivilDate DateOf(const DateTime& moment) { return CivilFromDays(moment.day); }

DateTime BuildDateTime(std::int64_t year, std::int64_t month, std::int64_t day,
                       std::int64_t hour, std::int64_t minute, std::int64_t second) {
  const std::int64_t y = year + FloorDiv(month - 1, 12);
  const int m = static_cast<int>(FloorMod(month - 1, 12) + 1);
  const std::int64_t first = DaysFromCivil(CivilDate{static_cast<int>(y), m, 1});
  const std::int64_t seconds = hour * 3600 + minute * 60 + second;
  DateTime result;
  result.day = first + (day - 1) + FloorDiv(seconds, kSecondsPerDay);
  result.second = static_cast<int>(FloorMod(seconds, kSecondsPerDay));
  return result;
}

std::optional<DateTime> ParseDateTimeText(std::string_view text) {
  Scanner s(text);
  s.SkipBlanks();
  const auto year = s.Number();
  s.SkipBlanks();
  const char sep = s.Peek('/') ? '/' : '-';
  if (!year || !s.Take(sep)) return std::nullopt;
  s.SkipBlanks();
  const auto month = s.Number();
  s.SkipBlanks();
  if (!month || !s.Take(sep)) return std::nullopt;
  s.SkipBlanks();
  const auto day = s.Number();
  if (!day) return std::nullopt;
  if (*year < 100 || *year > 9999 || *month < 1 || *month > 12 || *day < 1 ||
      *day > DaysInGregorianMonth(*year, *month)) {
    return std::nullopt;
  }
  int hour = 0;
  int minute = 0;
  int second = 0;
  s.SkipBlanks();
  if (!s.AtEnd()) {
    const auto h = s.Number();
    s.SkipBlanks();
    if (!h || !s.Take(':')) return std::nullopt;
    s.SkipBlanks();
    const auto mi = s.Number();
    if (!mi) return std::nullopt;
    s.SkipBlanks();
    std::optional<int> sec = 0;
    if (s.Take(':')) {
      s.SkipBlanks();
      sec = s.Number();
      s.SkipBlanks();
    }
    if (!sec || !s.AtEnd() || *h > 23 || *mi > 59 || *sec > 59) return std::nullopt;
    hour = *h;
    minute = *mi;
    second = *sec;
  }
  return MakeDateTime(CivilDate{*year, *month, *day}, hour, minute, second);
}

bool HasTimeOfDay(std::string_view text) {
  return text.find(':') != std::string_view::npos && ParseDateTimeText(text).has_value();
}

std::string FormatNextDueText(const DateTime& moment) {
  const CivilDate d = DateOf(moment);
  char buffer[64];
  if (moment.second == 0) {
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d", d.year, d.month, d.day);
  } else {
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d %d:%02d:%02d", d.year, d.month, d.day,
                  moment.second / 3600, moment.second / 60 % 60, moment.second % 60);
  }
  return buffer;
}

std::string FormatWorkDateTime(const CivilDate& date, int hour, int minute) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d-%d-%d %d:%d", date.year, date.month, date.day, hour,
                minute);
  return buffer;
}

}  // namespace quillet

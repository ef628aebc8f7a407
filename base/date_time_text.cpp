#include "base/date_time_text.h"

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

DateTime MakeDateTime(const CivilDate& date, int hour, int minute, int second) {
  return BuildDateTime(date.year, date.month, date.day, hour, minute, second);
}

CivilDate DateOf(const DateTime& moment) {
  return DateFromDayNumber(static_cast<int>(moment.day));
}

DateTime BuildDateTime(std::int64_t year, std::int64_t month, std::int64_t day,
                       std::int64_t hour, std::int64_t minute, std::int64_t second) {
  const std::int64_t y = year + FloorDiv(month - 1, 12);
  const int m = static_cast<int>(FloorMod(month - 1, 12) + 1);
  const std::int64_t first = DayNumber(CivilDate{static_cast<int>(y), m, 1});
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
      *day > DaysInMonth(*year, *month)) {
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

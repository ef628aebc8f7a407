#include "base/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace quillet {

namespace {

template <typename Int>
Int RoundSaturating(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded <= static_cast<double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
  if (rounded >= static_cast<double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
  return static_cast<Int>(rounded);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Power of ten of the first non-zero digit of a plain number "ddd.ddde-dd"
// (0 for 1..9.99, 2 for 100, -3 for 0.001); a number of zeros gives a very
// low order.
long long DecimalOrder(const std::string& number) {
  const std::size_t e = number.find('e');
  long long exponent = 0;
  if (e != std::string::npos) {
    const char* first = number.data() + e + 1;
    if (*first == '+') ++first;
    if (std::from_chars(first, number.data() + number.size(), exponent).ec != std::errc()) {
      exponent = number[e + 1] == '-' ? -1000000 : 1000000;  // too many exponent digits
    }
  }
  const std::string mantissa = number.substr(0, e);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t firstNonZero = mantissa.find_first_not_of("0.");
  if (firstNonZero == std::string::npos) return -1000000;
  const long long order = firstNonZero < point ? static_cast<long long>(point - firstNonZero) - 1
                                               : -static_cast<long long>(firstNonZero - point);
  return order + exponent;
}

}  // namespace

std::int64_t RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  // std::nearbyint rounds half to even under the default rounding mode,
  // which this program never changes.
  return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int32_t RoundToInt32(double value) { return RoundSaturating<std::int32_t>(value); }
std::int16_t RoundToInt16(double value) { return RoundSaturating<std::int16_t>(value); }

double LenientNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;

  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

  // Gather the longest valid number into a plain form std::from_chars takes
  // (no sign, point only when followed by digits).
  std::string number;
  std::size_t digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    number += text[pos++];
    ++digits;
  }
  if (pos < text.size() && text[pos] == '.') {
    std::size_t fraction = pos + 1;
    std::string fractionDigits;
    while (fraction < text.size() && IsDigit(text[fraction])) fractionDigits += text[fraction++];
    if (!fractionDigits.empty()) number += "." + fractionDigits;
    digits += fractionDigits.size();
    pos = fraction;
  }
  if (digits == 0) return 0.0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t exponent = pos + 1;
    std::string exponentText = "e";
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) exponentText += text[exponent++];
    std::size_t exponentDigits = 0;
    while (exponent < text.size() && IsDigit(text[exponent])) {
      exponentText += text[exponent++];
      ++exponentDigits;
    }
    if (exponentDigits > 0) number += exponentText;
  }

  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves value alone. Out of range means beyond about 1e308
    // or below about 1e-308; which one follows from the order of magnitude.
    value = DecimalOrder(number) > 0 ? std::numeric_limits<double>::max() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::int32_t LenientInt32(std::string_view text) { return RoundToInt32(LenientNumber(text)); }
std::int16_t LenientInt16(std::string_view text) { return RoundToInt16(LenientNumber(text)); }

}  // namespace quillet

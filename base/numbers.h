// Number rules shared by every subsystem.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillet {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2), as every conversion of a number to an integer in
// this program does.
std::int64_t RoundHalfEven(double value);

// The same rounding into a 32-bit or 16-bit integer. Values beyond the
// type's range saturate at its limits instead of wrapping; not-a-number
// gives 0.
std::int32_t RoundToInt32(double value);
std::int16_t RoundToInt16(double value);

// The program's one rule for reading a number out of a text: leading blanks
// (spaces, tabs) are skipped, then the longest leading decimal number is
// taken: an optional sign, digits with an optional decimal point (at least
// one digit), an optional exponent (e or E, optional sign, digits). Anything
// else, and the empty text, gives 0: "  12abc" is 12, "1e3x" is 1000, "1e"
// is 1, ".5" is 0.5, "abc" and "-" are 0. A number too large for a double
// gives the largest double of its sign.
double LenientNumber(std::string_view text);

// LenientNumber rounded (halves to even) into a 32-bit or 16-bit integer.
std::int32_t LenientInt32(std::string_view text);
std::int16_t LenientInt16(std::string_view text);

}  // namespace quillet

// Number rules shared by every subsystem.
#pragma once

#include <cstdint>

namespace quillet {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2), as every conversion of a number to an integer in
// this program does.
std::int64_t RoundHalfEven(double value);

}  // namespace quillet

// Colour arithmetic on 0x00BBGGRR values (red in the lowest byte, the
// Windows colour reference layout). The highest byte is always dropped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// Subtracts amount from each of red, green and blue, clamped to 0..255; a
// negative amount lightens. DarkenColour(c, 0) only clears the highest byte.
Colour DarkenColour(Colour colour, int amount);

// A colour as the file stores it: the decimal text of the 32-bit value taken
// as signed (white is "16777215"), and back by the lenient number rule.
std::string ColourText(Colour colour);
Colour ColourFromText(std::string_view text);

}  // namespace quillet

#include "base/colour.h"

#include <algorithm>
#include <cstdint>

#include "base/numbers.h"

namespace quillet {

Colour DarkenColour(Colour colour, int amount) {
  const auto shade = [amount](int component) { return std::clamp(component - amount, 0, 255); };
  return MakeColour(shade(RedOf(colour)), shade(GreenOf(colour)), shade(BlueOf(colour)));
}

std::uint8_t ColourByte(Colour colour, std::string_view which) {
  if (which == "r" || which == "R") return static_cast<std::uint8_t>(RedOf(colour));
  if (which == "g" || which == "G") return static_cast<std::uint8_t>(GreenOf(colour));
  return static_cast<std::uint8_t>(BlueOf(colour));
}

std::string ColourText(Colour colour) {
  return std::to_string(static_cast<std::int32_t>(colour));
}

Colour ColourFromText(std::string_view text) {
  return static_cast<Colour>(LenientInt32(text));
}

}  // namespace quillet

#include "shell/colour.h"

#include <algorithm>

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

}  // namespace quillet

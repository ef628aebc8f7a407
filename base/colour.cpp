#include "base/colour.h"

#include <algorithm>
#include <cstdint>

#include "base/numbers.h"

namespace quillet {

Colour DarkenColour(Colour colour, int amount) {
  const auto shade = [amount](int component) { return std::clamp(component - amount, 0, 255); };
  return MakeColour(shade(RedOf(colour)), shade(GreenOf(colour)), shade(BlueOf(colour)));
}

std::string ColourText(Colour colour) {
  return std::to_string(static_cast<std::int32_t>(colour));
}

Colour ColourFromText(std::string_view text) {
  return static_cast<Colour>(LenientInt32(text));
}

}  // namespace quillet

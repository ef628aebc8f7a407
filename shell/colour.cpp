#include "shell/colour.h"

#include <algorithm>

namespace quillet {

Colour DarkenColour(Colour colour, int amount) {
  const auto shade = [amount](int component) { return std::clamp(component - amount, 0, 255); };
  return MakeColour(shade(RedOf(colour)), shade(GreenOf(colour)), shade(BlueOf(colour)));
}

}  // namespace quillet

#include "base/gradient.h"

#include "base/numbers.h"

namespace quillet {

std::vector<GradientBand> GradientBands(int heightTwips, Colour colour, int step) {
  const int bandHeight = static_cast<int>(RoundHalfEven(heightTwips / 63.0));
  std::vector<GradientBand> bands;
  bands.reserve(kGradientBandCount);
  colour = DarkenColour(colour, 0);
  int y = 0;
  for (int i = 0; i < kGradientBandCount; ++i) {
    bands.push_back({y, y + bandHeight, colour});
    colour = DarkenColour(colour, step);
    y += bandHeight;
  }
  return bands;
}

}  // namespace quillet

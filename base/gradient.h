// Geometry of the skinned background: 64 horizontal bands from the top,
// each one shade darker than the one above. Pure data; the window code
// turns each band into a filled rectangle.
#pragma once

#include <vector>

#include "base/colour.h"

namespace quillet {

struct GradientBand {
  int top = 0;     // twips from the top edge
  int bottom = 0;  // twips, exclusive; may lie below the target's edge
  Colour colour = 0;
};

inline constexpr int kGradientBandCount = 64;

// Band height is heightTwips / 63 (halves to even); 64 such bands overrun
// the bottom edge by about one band, which drawing clips.
std::vector<GradientBand> GradientBands(int heightTwips, Colour colour, int step);

}  // namespace quillet
